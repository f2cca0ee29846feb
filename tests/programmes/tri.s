; tri.s -- bubble sort of a table of signed bytes, in place, ascending.
;
; Every pass compares all neighbouring pairs (no early exit), so the table
; of N bytes takes N - 1 passes of N - 1 comparisons. The signed comparison
; (BLE) must give the right answer when CMPA overflows (0x35 against 0x80).

N      = 6
PASSES = 0x10                   ; passes left

        .sect .text
        .globl _start
_start:
        bra     debut
table:
        .byte   0x35, 0x12, 0xF0, 0x07, 0x80, 0x12
debut:
        ldaa    #N-1
        staa    *PASSES
passe:
        ldx     #table
        ldab    #N-1            ; comparisons in this pass
compare:
        ldaa    0,x
        cmpa    1,x
        ble     suivant         ; already in order (signed)
        psha                    ; swap the pair through the stack
        ldaa    1,x
        staa    0,x
        pula
        staa    1,x
suivant:
        inx
        decb
        bne     compare
        dec     PASSES
        bne     passe
fin:
        bra     fin
