; OC2 toggles PA6 every 500 cycles by itself (TCTL1); the program polls
; OC2F with BRCLR, moves TOC2 on and clears the flag, ten times (the count
; at $0000), then stops on bra fin: ten changes of PA6, back to 0.
        .text
        .globl _start
_start: ldx   #0x1000
        ldaa  #0x40
        staa  0x20,x            ; TCTL1: OC2 toggles PA6
        ldaa  #10
        staa  *0x00
        ldd   0x0e,x            ; TCNT
        addd  #500
        std   0x18,x            ; TOC2
        ldaa  #0x40
        staa  0x23,x            ; TFLG1: OC2F cleared
attend: brclr 0x23,x,#0x40,attend
        ldd   0x18,x
        addd  #500
        std   0x18,x
        ldaa  #0x40
        staa  0x23,x
        dec   0x0000
        bne   attend
fin:    bra   fin
