; CPU-bound loop for the step() benchmark: loads and stores in every mode,
; 8- and 16-bit arithmetic, logic, shifts, the stack, taken and untaken
; branches, prebyte (page 18) instructions. It never leaves the loop.
        .text
        .globl _start
_start:
        lds     #0x00ff
        ldx     #0x2000
        ldy     #0x2100
        clr     *0x40
boucle:
        ldaa    0,x
        adda    1,x
        staa    0,y
        ldab    *0x40
        addb    #3
        stab    *0x40
        ldd     2,x
        addd    #0x0101
        std     2,y
        cmpa    #0x80
        bhi     grand
        inca
grand:
        psha
        pulb
        lslb
        rora
        andb    #0x7f
        oraa    #0x01
        eora    0x2010
        staa    0x2011
        inx
        iny
        cpx     #0x2040
        bne     boucle
        ldx     #0x2000
        ldy     #0x2100
        bra     boucle
