; somme_controle.s -- checksums of a table of eight bytes: the 16-bit sum,
; the exclusive OR of all bytes, and the two's complement of the sum.

SOMME = 0x40                    ; 16-bit sum
OUX   = 0x42                    ; exclusive OR
CPT   = 0x43                    ; bytes left
CLE   = 0x44                    ; -SOMME, 16 bits

        .sect .text
        .globl _start
_start:
        bra     debut
donnees:
        .byte   0x10, 0x22, 0xFF, 0x81, 0x7E, 0x00, 0xC3, 0x5A
debut:
        ldy     #donnees
        clra
        clrb
        std     *SOMME
        staa    *OUX
        ldaa    #8
        staa    *CPT
octet:
        ldab    0,y
        clra
        addd    *SOMME
        std     *SOMME
        ldaa    *OUX
        eora    0,y
        staa    *OUX
        iny
        dec     CPT
        bne     octet
        ldd     *SOMME
        coma
        comb
        addd    #1
        std     *CLE
fin:
        bra     fin
