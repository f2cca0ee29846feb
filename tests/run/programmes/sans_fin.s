; Never stops by itself: A counts up for ever.
        .section .text
        .globl _start
_start:
        inca
        bra     _start
