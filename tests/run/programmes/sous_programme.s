; Calls a subroutine twice; the subroutine adds 5 to A. The stack is set
; below the register block.
        .section .text
        .globl _start
_start:
        lds     #0x00ff
        ldaa    #1
        jsr     ajoute
        jsr     ajoute
        staa    *0x30
fin:
        bra     fin
ajoute:
        adda    #5
        rts
