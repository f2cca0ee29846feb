; A program linked in the EEPROM, as the examples are, with its reset
; vector in the ROM: the loaders write both. On the E9 its stores into its
; own area and into the ROM change nothing (twice each); the one into the
; RAM does.
        .text
        .globl _start
_start: ldab  #2
encore: ldaa  #0x5a
        staa  variable          ; EEPROM: ignored
        staa  0xd000            ; ROM: ignored
        decb
        bne   encore
        staa  *0x10             ; RAM
fin:    bra   fin
variable:
        .byte 0x00

        .section .vecteurs,"a"
        .word 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word _start                    ; $fffe reset
