* periode_ic1.asm -- mesurer la periode d'un signal sur PA2 (IC1).
*
* A chaque front montant de PA2, la capture IC1 recopie le compteur TCNT
* dans TIC1, au cycle meme du front, et leve IC1F ; l'interruption IC1
* soustrait la capture precedente de celle-ci : la periode, en cycles E
* (0,5 us a 2 MHz). Le programme principal ne fait qu'attendre (WAI).
* A regarder : la periode en $0002-$0003, la derniere capture en
* $0000-$0001, le nombre de fronts en $0004 ; l'octet haut de la
* periode sur le port B. Dans le simulateur, cliquez sur le bit 2 du
* panneau "Port A" : un clic monte PA2, le suivant le redescend ; deux
* montees font une periode. Avec tamrix-run, des fronts a des cycles
* choisis (une periode de 4000 cycles) :
*   tamrix-run --pin PA2=1@1000 --pin PA2=0@3000 --pin PA2=1@5000 \
*              --dump 0:4 periode_ic1.s19

PORTB   EQU     $1004           sorties
TIC1    EQU     $1010           capture IC1 (16 bits)
TCTL2   EQU     $1021           fronts des captures
TMSK1   EQU     $1022           autorisations des interruptions OC et IC
TFLG1   EQU     $1023           drapeaux OC et IC (un 1 ecrit les efface)

        ORG     $B600
debut
        LDS     #$00FF          la pile en haut de la RAM interne
        CLR     $0004           aucun front vu
        LDAA    #$10            EDG1B:EDG1A = 01 : fronts montants
        STAA    TCTL2
        LDAA    #$04            le bit de IC1 dans TFLG1 et TMSK1
        STAA    TFLG1           efface IC1F
        STAA    TMSK1           autorise l'interruption IC1
        CLI
attend
        WAI                     dort jusqu'a la prochaine interruption
        BRA     attend

ic1
        LDD     TIC1            l'instant du front
        SUBD    $00             moins celui du front precedent
        STD     $02             = la periode (modulo 65536 : TCNT
        STAA    PORTB           a pu deborder entre les deux)
        LDX     TIC1
        STX     $00             ce front devient le precedent
        INC     $0004
        LDAA    #$04
        STAA    TFLG1           efface IC1F
        RTI

        ORG     $FFD6           $FFD6 : SCI d'abord, reset a la fin
        FDB     $FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF
        FDB     $FFFF,$FFFF,$FFFF,$FFFF,$FFFF
        FDB     ic1             $FFEE : IC1
        FDB     $FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF
        FDB     debut           $FFFE : reset

        END     debut
