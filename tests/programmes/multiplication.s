; multiplication.s -- 16 x 16 -> 32 bit unsigned multiply by shift and add.
;
; The product's high word stays in D, its low word at PROD+2; the low word
; starts as the multiplier, whose bits leave it one by one from bit 0 while
; the product's bits come in from the top.

MCAND = 0x00                    ; multiplicand (2 bytes)
PROD  = 0x04                    ; product, 4 bytes, high word first

        .sect .text
        .globl _start
_start:
        ldd     #0xBEEF
        std     *MCAND
        ldd     #0x1234
        std     *PROD+2         ; multiplier in the low word
        clra
        clrb                    ; D = high word = 0
        ldx     #16             ; one turn per multiplier bit
tour:
        brclr   *PROD+3,#0x01,sans_ajout
        addd    *MCAND          ; C = carry out of the high word
        bra     decale
sans_ajout:
        clc
decale:
        rora                    ; C:D:low word shifted right by one
        rorb
        ror     PROD+2
        ror     PROD+3
        dex
        bne     tour
        std     *PROD
fin:
        bra     fin
