; CPU-bound count: Y outer passes (65536 when Y starts at 0) of an inner
; loop of 65535 DEX/BNE pairs, then a stop on itself.
        .section .text
        .globl _start
_start:
        ldx     #0xffff
interieur:
        dex
        bne     interieur
        dey
        bne     _start
fin:
        bra     fin
