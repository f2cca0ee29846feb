; Adds the four bytes of a table into A, stores the sum and its double at
; 0x0040 and 0x0041, copies the table to 0x0048, then stops on itself.
        .section .text
        .globl _start
_start:
        ldx     #table
        clra
        ldab    #4
somme:
        adda    0,x
        inx
        decb
        bne     somme
        staa    *0x40
        asla
        staa    *0x41
        ldx     #table
        ldy     #0x0048
copie:
        ldaa    0,x
        staa    0,y
        inx
        iny
        cpx     #table+4
        bne     copie
        ldaa    *0x40
fin:
        bra     fin
table:
        .byte   0x11, 0x22, 0x33, 0x44
