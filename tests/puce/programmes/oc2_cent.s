; Counts 100 interrupts of OC2, one each 1000 cycles, waiting for each with
; WAI; the count is at $0000. Ends on bra fin with I set.
; By hand (data book cycles): 35 cycles to the first WAI, TOC2 = TCNT read
; in cycle 12 (14) + 1000; each handler entered 2 cycles after its compare
; (cycle 1015 + 1000 k), 38 cycles long; back in the loop 8 cycles, WAI's
; stacking 12; after the last one, 8 + SEI 2 + BRA 3: 100066 in all.
        .equ TCNT, 0x100e
        .equ TOC2, 0x1018
        .equ TMSK1, 0x1022
        .equ TFLG1, 0x1023
        .text
        .globl _start
_start: lds   #0x00ff
        clr   0x0000
        ldd   TCNT
        addd  #1000
        std   TOC2
        ldaa  #0x40
        staa  TFLG1             ; OC2F cleared by a 1
        staa  TMSK1             ; OC2I
        cli
attend: wai
        ldaa  *0x00
        cmpa  #100
        bne   attend
        sei
fin:    bra   fin

oc2:    ldd   TOC2
        addd  #1000
        std   TOC2
        ldaa  #0x40
        staa  TFLG1
        inc   0x0000
        rti

        .section .vecteurs,"a"
        .word 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word 0xffff
        .word oc2                       ; $ffe6 OC2
        .word 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word _start                    ; $fffe reset
