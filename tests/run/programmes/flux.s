; flux.s -- branchements, sauts, appels et retours de toutes les sortes,
; pour comparer la trace du moniteur (T) a celle de tamrix-run --trace.
; Assemble par tools/assemble.sh flux.s flux.s19 0xc000.

        .sect .text
        .globl _start
_start:
        lds     #0x01ff
        ldaa    #0x39           ; RTS en 0x0050, pour JSR direct
        staa    *0x50
        ldaa    #0x81
        staa    *0x40
        ldx     #table
        ldy     #table
        bsr     sous            ; BSR
        jsr     sous            ; JSR etendu
        jsr     2,x             ; JSR n,X : sous2
        jsr     2,y             ; JSR n,Y
        jsr     *0x50           ; JSR direct
        brset   *0x40 #0x01 b1  ; BRSET direct, pris
        nop
b1:     brclr   *0x40 #0x01 b2  ; BRCLR direct, pas pris
        brset   0,x #0x80 b2    ; BRSET n,X, pris
        nop
b2:     brclr   0,y #0x80 b3    ; BRCLR n,Y, pas pris
        brset   1,y #0x02 b3    ; BRSET n,Y, pris
        nop
b3:     cmpa    #0x85           ; A = 0x81 + 4 INCA
        beq     b4              ; pris
        nop
b4:     bne     b4              ; pas pris
        ldab    #3
b5:     decb
        bne     b5              ; pris deux fois
        brn     b5              ; jamais
        ldx     #b6
        jmp     0,x             ; JMP n,X
b6:     ldy     #b7
        jmp     0,y             ; JMP n,Y
b7:     jmp     b8              ; JMP etendu
b8:     ldx     #b9             ; RTI sur un etat empile a la main
        pshx                    ; PC
        pshy                    ; Y
        pshx                    ; X
        psha                    ; A
        pshb                    ; B
        tpa
        psha                    ; CCR
        rti
b9:     ldaa    #0x12
fin:    bra     fin

sous:   inca
        rts
table:  .byte   0x80, 0x02
sous2:  inca
        rts
