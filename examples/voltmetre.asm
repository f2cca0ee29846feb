* voltmetre.asm -- mesurer la tension de l'entree AN0 et l'afficher sur le
* port B.
*
* Le convertisseur analogique-numerique donne un nombre de 0 a 255 :
*   resultat = arrondi(255 x (Vin - VRL) / (VRH - VRL))
* avec VRL = 0 V et VRH = 5 V, soit environ 51 par volt (2,5 V donne 128,
* c'est-a-dire $80). Le programme :
*   - met le convertisseur sous tension (bit ADPU de OPTION) et attend
*     100 microsecondes qu'il soit pret ;
*   - lance une conversion continue de AN0 (ADCTL = $20 : SCAN = 1,
*     MULT = 0, voie 0) : ADR1 a ADR4 recoivent sans cesse AN0 ;
*   - attend la premiere serie de quatre conversions (bit CCF) ;
*   - recopie sans fin ADR1 sur le port B.
*
* Dans le simulateur : Options -> Ports... pour regler AN0 en volts ; les
* bits du port B montrent le resultat en binaire. Sans fenetre :
*   tamrix-run --analog AN0=2.5 --max-cycles 1000 --dump $1004:$1004 \
*     examples/voltmetre.s19

REGS    EQU     $1000           debut des registres internes
PORTB   EQU     $04             port B (sorties)
ADCTL   EQU     $30             commande du convertisseur, CCF ($80)
ADR1    EQU     $31             premier resultat
OPTION  EQU     $39             ADPU ($80) : convertisseur sous tension

        ORG     $B600
debut
        LDS     #$00FF          la pile en haut de la RAM interne
        LDX     #REGS
        LDAA    #$90
        STAA    OPTION,X        ADPU = 1 (DLY reste a 1)
        LDAB    #40             40 tours de 5 cycles : 100 microsecondes
tempo
        DECB
        BNE     tempo
        LDAA    #$20
        STAA    ADCTL,X         conversion continue de AN0
attente
        BRCLR   ADCTL,X,$80,attente attendre CCF = 1
mesure
        LDAA    ADR1,X          le resultat de AN0
        STAA    PORTB,X         affiche sur le port B
        BRA     mesure

        END     debut
