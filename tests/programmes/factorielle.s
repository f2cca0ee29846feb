; factorielle.s -- 5! by a recursive subroutine.
;
; fact takes n in B and returns n! in B. Each level keeps its n on the stack
; and finds it again through TSX, which points at the last byte pushed.

RESULTAT = 0x30

        .sect .text
        .globl _start
_start:
        lds     #0x01FF
        ldab    #5
        bsr     fact
        stab    *RESULTAT
fin:
        bra     fin

fact:
        cmpb    #1
        bhi     recurse
        ldab    #1              ; 1! = 0! = 1
        rts
recurse:
        pshb                    ; keep n
        decb
        bsr     fact            ; B = (n - 1)!
        tsx
        ldaa    0,x             ; A = n
        ins
        mul                     ; D = n * (n - 1)!
        rts
