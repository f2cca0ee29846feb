* onde_oc2.asm -- un signal carre sur PA6, fait par la comparaison OC2.
*
* Le compteur libre TCNT avance d'un pas par cycle E (0,5 us a 2 MHz).
* Quand il atteint TOC2, la comparaison OC2 :
*   - bascule toute seule la broche PA6 (TCTL1 : OM2:OL2 = 01) ;
*   - leve le drapeau OC2F et, autorisee par OC2I, demande une
*     interruption.
* L'interruption recule TOC2 d'une demi-periode et efface OC2F (en y
* ecrivant un 1). PA6 change donc tous les 1000 cycles, au cycle pres,
* quel que soit le travail du programme principal : un signal de 1 kHz.
* A regarder : le bit 6 du panneau "Port A" (une sortie), le compteur de
* demi-periodes en $0000 dans le dump, TCNT ($100E) qui avance, et la
* fenetre "Interruptions..." (OC2 autorisee, prochaine echeance).

TCNT    EQU     $100E           compteur libre (16 bits)
TOC2    EQU     $1018           registre de comparaison OC2
TCTL1   EQU     $1020           actions des comparaisons sur les broches
TMSK1   EQU     $1022           autorisations des interruptions OC et IC
TFLG1   EQU     $1023           drapeaux OC et IC (un 1 ecrit les efface)
DEMI_PERIODE EQU     1000            en cycles E

        ORG     $B600
debut
        LDS     #$00FF          la pile en haut de la RAM interne
        CLR     $0000           aucune demi-periode encore
        LDAA    #$40            OM2:OL2 = 01 : OC2 bascule PA6
        STAA    TCTL1
        LDD     TCNT            premiere echeance : maintenant + 1000
        ADDD    #DEMI_PERIODE
        STD     TOC2
        LDAA    #$40            le bit de OC2 dans TFLG1 et TMSK1
        STAA    TFLG1           efface OC2F
        STAA    TMSK1           autorise l'interruption OC2
        CLI                     et les interruptions en general
boucle
        BRA     boucle          le travail se fait dans l'interruption

oc2
        LDD     TOC2            echeance suivante : une demi-periode
        ADDD    #DEMI_PERIODE   apres la precedente (pas apres
        STD     TOC2            maintenant : pas de derive)
        LDAA    #$40
        STAA    TFLG1           efface OC2F, sinon elle revient aussitot
        INC     $0000           compte les demi-periodes
        RTI

        ORG     $FFD6           $FFD6 : SCI d'abord, reset a la fin
        FDB     $FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF
        FDB     $FFFF
        FDB     oc2             $FFE6 : OC2
        FDB     $FFFF,$FFFF,$FFFF,$FFFF,$FFFF
        FDB     $FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF
        FDB     debut           $FFFE : reset

        END     debut
