; bcd.s -- adds two 8-digit packed BCD numbers with ADCA and DAA.
;
; The bytes are added from the least significant one up, the carry going
; from byte to byte; the carry out of the top byte lands in RETENUE.

RETENUE = 0x20

        .sect .text
        .globl _start
_start:
        bra     debut
nombre1:
        .byte   0x12, 0x34, 0x56, 0x78
nombre2:
        .byte   0x87, 0x65, 0x99, 0x45
somme:
        .byte   0x00, 0x00, 0x00, 0x00
debut:
        ldx     #nombre1+3      ; least significant byte of the first number
        ldab    #4
        clc
octet:
        ldaa    0,x
        adca    4,x             ; same byte of the second number
        daa
        staa    8,x             ; same byte of the sum
        dex                     ; DEX and DECB keep C
        decb
        bne     octet
        ldaa    #0              ; LDAA keeps C
        rola                    ; A = carry out
        staa    *RETENUE
fin:
        bra     fin
