; ports.s -- bit work on the port cells of the register block at 0x1000.
;
; Port B receives the bits of port E in reverse order; port C gets its high
; nibble set and its two low bits cleared; port D is set bit by bit
; according to tests on port B; port A loses its low nibble when port E
; has bits 7 and 2 set.

REGS  = 0x1000
PORTA = 0x00
PORTC = 0x03
PORTB = 0x04
PORTD = 0x08
PORTE = 0x0A

        .sect .text
        .globl _start
_start:
        ldx     #REGS
        ldaa    PORTE,x
        clr     PORTB,x
        ldab    #8
inverse:
        lsra                    ; bit 0 of A into C
        rol     PORTB,x         ; and from C into bit 0 of port B
        decb
        bne     inverse
        bset    PORTC,x,#0xF0
        bclr    PORTC,x,#0x03
        brset   PORTB,x,#0x81,bits_7_et_0
        bset    PORTD,x,#0x01
bits_7_et_0:
        brclr   PORTB,x,#0x40,bit_6_nul
        bset    PORTD,x,#0x02
bit_6_nul:
        bset    PORTD,x,#0x20
        ldy     #REGS
        brset   PORTE,y,#0x84,e_ok
        clr     PORTA,y
e_ok:
        bclr    PORTA,y,#0x0F
fin:
        bra     fin
