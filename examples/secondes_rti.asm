* secondes_rti.asm -- compter les secondes avec l'interruption temps reel.
*
* L'interruption temps reel (RTI) revient a intervalle fixe : 2^13 cycles
* E avec RTR1:RTR0 = 00 dans PACTL (leur valeur au reset), soit 4,096 ms
* a 2 MHz. 244 RTI font 0,999 s : a chaque 244e, le compte des secondes,
* sur le port B, augmente de un. RTIF doit etre efface (un 1 ecrit dans
* TFLG2) a chaque fois, sinon l'interruption revient aussitot.
* A regarder : le panneau "Port B" (les secondes en binaire), le compte a
* rebours des RTI en $0000, TFLG2 ($1025) et TMSK2 ($1024) dans le
* dump. Avec tamrix-run, trois secondes (6 000 000 cycles) :
*   tamrix-run --max-cycles 6000000 --dump $1004:$1004 secondes_rti.s19

PORTB   EQU     $1004           les secondes
TMSK2   EQU     $1024           TOI RTII PAOVI PAII - - PR1 PR0
TFLG2   EQU     $1025           TOF RTIF PAOVF PAIF
RTI_PAR_SECONDE EQU     244

        ORG     $B600
debut
        LDS     #$00FF          la pile en haut de la RAM interne
        CLR     PORTB           zero seconde
        LDAA    #RTI_PAR_SECONDE
        STAA    $00             RTI restantes avant la seconde suivante
        LDAA    #$40            le bit de RTI dans TFLG2 et TMSK2
        STAA    TFLG2           efface RTIF
        STAA    TMSK2           autorise l'interruption RTI (PR1:PR0 = 00,

        CLI
attend
        WAI                     dort jusqu'a la prochaine RTI
        BRA     attend

rti_
        LDAA    #$40
        STAA    TFLG2           efface RTIF
        DEC     $0000           une RTI de moins avant la seconde
        BNE     fin_rti
        LDAA    #RTI_PAR_SECONDE
        STAA    $00
        INC     PORTB           une seconde de plus
fin_rti
        RTI

        ORG     $FFD6           $FFD6 : SCI d'abord, reset a la fin
        FDB     $FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF
        FDB     $FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF
        FDB     rti_            $FFF0 : RTI
        FDB     $FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF
        FDB     debut           $FFFE : reset

        END     debut
