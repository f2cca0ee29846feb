; Counts three falling edges of IRQ (IRQE set in OPTION), waiting for each
; with WAI; the count is at $0000. Ends on bra fin with I set.
        .equ OPTION, 0x1039
        .text
        .globl _start
_start: lds   #0x00ff
        ldaa  #0x30             ; IRQE: edges; DLY kept
        staa  OPTION            ; within the first 64 cycles
        clr   0x0000
        cli
attend: wai
        ldaa  *0x00
        cmpa  #3
        bne   attend
        sei
fin:    bra   fin

irq:    inc   0x0000
        rti

        .section .vecteurs,"a"
        .word 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word irq                       ; $fff2 IRQ
        .word 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word _start                    ; $fffe reset
