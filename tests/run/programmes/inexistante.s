; Loads A, then meets the byte 0x41, which is no instruction.
        .section .text
        .globl _start
_start:
        ldaa    #0x7f
        .byte   0x41
        bra     _start
