; Continuous scan of the "afficheurs" board for the board's benchmark: the
; four digits of a multiplexed display lit in turn, as fast as the CPU goes
; (no wait), each write to port B and port C a pin change in the log. It
; never leaves the loop.
PORTB   = 0x1004
PORTC   = 0x1003
DDRC    = 0x1007
        .text
        .globl _start
_start:
        lds     #0x00ff
        ldaa    #0xff
        staa    DDRC
boucle:
        ldx     #table
chiffre:
        clr     PORTC
        ldaa    0,x
        staa    PORTB
        ldaa    4,x
        staa    PORTC
        inx
        cpx     #table+4
        bne     chiffre
        bra     boucle
table:
        .byte   0x06, 0x5b, 0x4f, 0x66  ; 1 2 3 4
        .byte   0x08, 0x04, 0x02, 0x01  ; their selects
