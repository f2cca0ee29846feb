; A small program for the loader tests: code at 0xB600, data after it.
        .sect .text
        .globl _start
_start:
        lds   #0x00ff
        ldaa  #0x12
        staa  *0x20
        ldx   #0x1000
        bset  4,x,#0x01
        brset *0x20,#0x03,fin
        ldab  table
fin:    bra   fin
table:  .byte 0xde,0xad,0xbe,0xef
        .ascii "tamrix"
