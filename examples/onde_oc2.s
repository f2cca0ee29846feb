; onde_oc2.s -- un signal carre sur PA6, fait par la comparaison OC2.
;
; Le compteur libre TCNT avance d'un pas par cycle E (0,5 us a 2 MHz).
; Quand il atteint TOC2, la comparaison OC2 :
;   - bascule toute seule la broche PA6 (TCTL1 : OM2:OL2 = 01) ;
;   - leve le drapeau OC2F et, autorisee par OC2I, demande une
;     interruption.
; L'interruption recule TOC2 d'une demi-periode et efface OC2F (en y
; ecrivant un 1). PA6 change donc tous les 1000 cycles, au cycle pres,
; quel que soit le travail du programme principal : un signal de 1 kHz.
; A regarder : le bit 6 du panneau "Port A" (une sortie), le compteur de
; demi-periodes en 0x0000 dans le dump, TCNT (0x100E) qui avance, et la
; fenetre "Interruptions..." (OC2 autorisee, prochaine echeance).

TCNT    = 0x100E                ; compteur libre (16 bits)
TOC2    = 0x1018                ; registre de comparaison OC2
TCTL1   = 0x1020                ; actions des comparaisons sur les broches
TMSK1   = 0x1022                ; autorisations des interruptions OC et IC
TFLG1   = 0x1023                ; drapeaux OC et IC (un 1 ecrit les efface)
DEMI_PERIODE = 1000             ; en cycles E

        .sect .text
        .globl _start
_start:
        lds     #0x00ff         ; la pile en haut de la RAM interne
        clr     0x0000          ; aucune demi-periode encore
        ldaa    #0x40           ; OM2:OL2 = 01 : OC2 bascule PA6
        staa    TCTL1
        ldd     TCNT            ; premiere echeance : maintenant + 1000
        addd    #DEMI_PERIODE
        std     TOC2
        ldaa    #0x40           ; le bit de OC2 dans TFLG1 et TMSK1
        staa    TFLG1           ; efface OC2F
        staa    TMSK1           ; autorise l'interruption OC2
        cli                     ; et les interruptions en general
boucle:
        bra     boucle          ; le travail se fait dans l'interruption

oc2:                            ; interruption OC2 (vecteur 0xFFE6)
        ldd     TOC2            ; echeance suivante : une demi-periode
        addd    #DEMI_PERIODE   ; apres la precedente (pas apres
        std     TOC2            ; maintenant : pas de derive)
        ldaa    #0x40
        staa    TFLG1           ; efface OC2F, sinon elle revient aussitot
        inc     0x0000          ; compte les demi-periodes
        rti

        .section .vecteurs,"a"  ; 0xFFD6 : SCI d'abord, reset a la fin
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   0xffff
        .word   oc2             ; 0xFFE6 : OC2
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   _start          ; 0xFFFE : reset
