; compteur_7seg.s -- quatre afficheurs 7 segments qui comptent les
; secondes, balayes par l'interruption temps reel (RTI).
;
; Carte "afficheurs" (Options, Carte... ou tamrix-run --carte afficheurs) :
;   PB0-PB6 = segments a-g (1 : allume), PB7 = point,
;   PC3-PC0 = selection des chiffres, des milliers (PC3) aux unites (PC0),
;   un chiffre allume quand son bit vaut 1.
; Un seul chiffre est allume a la fois : chaque RTI (toutes les 4,096 ms,
; 8192 cycles E) eteint le chiffre, met les segments du suivant, puis le
; selectionne. Les quatre passent en 16,4 ms : 61 fois par seconde, l'oeil
; voit quatre chiffres fixes. Avec 500 ms par chiffre, on les verrait un a
; un. 244 RTI font une seconde (0,999 s) : le compte, en BCD sur quatre
; chiffres, augmente de un.
; Avec tamrix-run, un peu plus de 3 s (6 100 000 cycles ; la troisieme
; seconde tombe au cycle 5 996 544, et dans les 20 dernieres ms l'oeil
; verrait encore un peu du 2) :
;   tamrix-run --carte afficheurs --max-cycles 6100000 compteur_7seg.s19
;   7seg: "0003"

PORTB   = 0x1004
PORTC   = 0x1003
DDRC    = 0x1007
TMSK2   = 0x1024
TFLG2   = 0x1025
RTI_PAR_SECONDE = 244
chiffres = 0x0010               ; milliers, centaines, dizaines, unites
courant  = 0x0014               ; le chiffre allume, 0 a 3
reste    = 0x0015               ; RTI avant la seconde suivante

        .sect .text
        .globl _start
_start:
        lds     #0x00ff
        ldaa    #0xff
        staa    DDRC            ; port C en sortie
        clr     chiffres
        clr     chiffres+1
        clr     chiffres+2
        clr     chiffres+3
        clr     courant
        ldaa    #RTI_PAR_SECONDE
        staa    reste
        ldaa    #0x40           ; RTIF et RTII
        staa    TFLG2
        staa    TMSK2
        cli
attend:
        wai
        bra     attend

rti_:
        ldaa    #0x40
        staa    TFLG2           ; efface RTIF
        ldab    courant         ; le chiffre suivant
        incb
        andb    #3
        stab    courant
        clr     PORTC           ; tout eteint pendant le changement
        ldx     #chiffres
        abx
        ldab    0,x             ; sa valeur
        ldx     #segments
        abx
        ldaa    0,x
        staa    PORTB           ; ses segments
        ldab    courant
        ldx     #selections
        abx
        ldaa    0,x
        staa    PORTC           ; sa selection
        dec     reste
        bne     1f
        ldaa    #RTI_PAR_SECONDE
        staa    reste
        bsr     plus_un
1:      rti

; Le compte + 1, en decimal, des unites vers les milliers.
plus_un:
        ldx     #chiffres+3
1:      inc     0,x
        ldaa    0,x
        cmpa    #10
        bne     2f
        clr     0,x
        dex
        cpx     #chiffres-1
        bne     1b
2:      rts

segments:                       ; 0 a 9 : gfedcba
        .byte   0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d, 0x7d, 0x07, 0x7f, 0x6f
selections:
        .byte   0x08, 0x04, 0x02, 0x01

        .section .vecteurs,"a"  ; 0xFFD6 : SCI d'abord, reset a la fin
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   rti_            ; 0xFFF0 : RTI
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   _start          ; 0xFFFE : reset
