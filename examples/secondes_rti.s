; secondes_rti.s -- compter les secondes avec l'interruption temps reel.
;
; L'interruption temps reel (RTI) revient a intervalle fixe : 2^13 cycles
; E avec RTR1:RTR0 = 00 dans PACTL (leur valeur au reset), soit 4,096 ms
; a 2 MHz. 244 RTI font 0,999 s : a chaque 244e, le compte des secondes,
; sur le port B, augmente de un. RTIF doit etre efface (un 1 ecrit dans
; TFLG2) a chaque fois, sinon l'interruption revient aussitot.
; A regarder : le panneau "Port B" (les secondes en binaire), le compte a
; rebours des RTI en 0x0000, TFLG2 (0x1025) et TMSK2 (0x1024) dans le
; dump. Avec tamrix-run, trois secondes (6 000 000 cycles) :
;   tamrix-run --max-cycles 6000000 --dump 0x1004:0x1004 secondes_rti.s19

PORTB   = 0x1004                ; les secondes
TMSK2   = 0x1024                ; TOI RTII PAOVI PAII - - PR1 PR0
TFLG2   = 0x1025                ; TOF RTIF PAOVF PAIF
RTI_PAR_SECONDE = 244

        .sect .text
        .globl _start
_start:
        lds     #0x00ff         ; la pile en haut de la RAM interne
        clr     PORTB           ; zero seconde
        ldaa    #RTI_PAR_SECONDE
        staa    *0x00           ; RTI restantes avant la seconde suivante
        ldaa    #0x40           ; le bit de RTI dans TFLG2 et TMSK2
        staa    TFLG2           ; efface RTIF
        staa    TMSK2           ; autorise l'interruption RTI (PR1:PR0 = 00,
                                ; ecrits dans les 64 premiers cycles)
        cli
attend:
        wai                     ; dort jusqu'a la prochaine RTI
        bra     attend

rti_:                           ; interruption temps reel (vecteur 0xFFF0)
        ldaa    #0x40
        staa    TFLG2           ; efface RTIF
        dec     0x0000          ; une RTI de moins avant la seconde
        bne     fin_rti
        ldaa    #RTI_PAR_SECONDE
        staa    *0x00
        inc     PORTB           ; une seconde de plus
fin_rti:
        rti

        .section .vecteurs,"a"  ; 0xFFD6 : SCI d'abord, reset a la fin
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   rti_            ; 0xFFF0 : RTI
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   _start          ; 0xFFFE : reset
