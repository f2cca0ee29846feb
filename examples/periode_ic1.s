; periode_ic1.s -- mesurer la periode d'un signal sur PA2 (IC1).
;
; A chaque front montant de PA2, la capture IC1 recopie le compteur TCNT
; dans TIC1, au cycle meme du front, et leve IC1F ; l'interruption IC1
; soustrait la capture precedente de celle-ci : la periode, en cycles E
; (0,5 us a 2 MHz). Le programme principal ne fait qu'attendre (WAI).
; A regarder : la periode en 0x0002-0x0003, la derniere capture en
; 0x0000-0x0001, le nombre de fronts en 0x0004 ; l'octet haut de la
; periode sur le port B. Dans le simulateur, cliquez sur le bit 2 du
; panneau "Port A" : un clic monte PA2, le suivant le redescend ; deux
; montees font une periode. Avec tamrix-run, des fronts a des cycles
; choisis (une periode de 4000 cycles) :
;   tamrix-run --pin PA2=1@1000 --pin PA2=0@3000 --pin PA2=1@5000 \
;              --dump 0:4 periode_ic1.s19

PORTB   = 0x1004                ; sorties
TIC1    = 0x1010                ; capture IC1 (16 bits)
TCTL2   = 0x1021                ; fronts des captures
TMSK1   = 0x1022                ; autorisations des interruptions OC et IC
TFLG1   = 0x1023                ; drapeaux OC et IC (un 1 ecrit les efface)

        .sect .text
        .globl _start
_start:
        lds     #0x00ff         ; la pile en haut de la RAM interne
        clr     0x0004          ; aucun front vu
        ldaa    #0x10           ; EDG1B:EDG1A = 01 : fronts montants
        staa    TCTL2
        ldaa    #0x04           ; le bit de IC1 dans TFLG1 et TMSK1
        staa    TFLG1           ; efface IC1F
        staa    TMSK1           ; autorise l'interruption IC1
        cli
attend:
        wai                     ; dort jusqu'a la prochaine interruption
        bra     attend

ic1:                            ; interruption IC1 (vecteur 0xFFEE)
        ldd     TIC1            ; l'instant du front
        subd    *0x00           ; moins celui du front precedent
        std     *0x02           ; = la periode (modulo 65536 : TCNT
        staa    PORTB           ;   a pu deborder entre les deux)
        ldx     TIC1
        stx     *0x00           ; ce front devient le precedent
        inc     0x0004
        ldaa    #0x04
        staa    TFLG1           ; efface IC1F
        rti

        .section .vecteurs,"a"  ; 0xFFD6 : SCI d'abord, reset a la fin
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   ic1             ; 0xFFEE : IC1
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   _start          ; 0xFFFE : reset
