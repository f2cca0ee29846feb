; Loads, stores and transfers at work: copies eight bytes to 0x0100, then
; leaves in page zero what the exchanges, the stack-pointer transfers and
; the CCR transfers produced, and ends on a self-loop.
        .text
        .globl _start
_start:
        lds     #0x01ff
        ldx     #source
        ldy     #0x0100
        ldab    #8
copie:
        ldaa    0,x
        staa    0,y
        inx
        iny
        decb
        bne     copie
        ldd     #0x1234
        xgdx                    ; X = 1234, D = end of source
        std     *0x20
        stx     *0x22
        tsx                     ; X = SP + 1 = 0200
        stx     *0x24
        ldy     #0x0300
        tys                     ; SP = Y - 1 = 02FF
        sts     *0x26
        tpa
        staa    *0x28
        sec
        sev
        tpa
        staa    *0x29
        ldx     #0xffff
        ldd     #0xabcd
        std     0,x             ; FFFF = AB, 0000 = CD
fin:    bra     fin
source: .byte   1, 2, 3, 4, 5, 6, 7, 8
