; bouton_rebond.s -- compter les appuis d'un bouton dont le contact
; rebondit, avec et sans anti-rebond.
;
; Carte "leds" (Options, Carte... ou tamrix-run --carte leds) : le bouton
; BP1 sur PA0 (0 quand on appuie) ; son contact rebondit pendant 5 ms a
; chaque appui et a chaque relachement, comme un vrai bouton. Les LED du
; port B montrent le compte.
; Toutes les 100 us (200 cycles), le programme lit PA0 :
;   - sans anti-rebond, chaque passage de 1 a 0 compte (en $0000) : un
;     appui compte plusieurs fois ;
;   - avec anti-rebond, un niveau ne compte que s'il reste le meme 100
;     lectures de suite (10 ms, plus que les 5 ms du rebond) : un appui
;     compte une fois (port B).
; Avec tamrix-run, trois appuis :
;   tamrix-run --carte leds --max-cycles 400000 --dump 0:0 \
;     --appui BP1@20000 --relache BP1@80000 --appui BP1@140000 \
;     --relache BP1@200000 --appui BP1@260000 --relache BP1@320000 \
;     bouton_rebond.s19
;   leds PB: 00000011      et plus de 3 en $0000

PORTA   = 0x1000
PORTB   = 0x1004
brut     = 0x0000               ; appuis comptes sans anti-rebond
precedent = 0x0001              ; PA0 a la lecture precedente
stable   = 0x0002               ; PA0 retenu par l'anti-rebond
meme     = 0x0003               ; lectures de suite au meme niveau
LECTURES = 100

        .sect .text
        .globl _start
_start:
        lds     #0x00ff
        clr     PORTB
        clr     brut
        ldaa    #1
        staa    precedent
        staa    stable
        clr     meme
lecture:
        ldaa    PORTA
        anda    #1              ; A = PA0
        ; sans anti-rebond : un passage de 1 a 0
        ldab    precedent
        staa    precedent
        tstb
        beq     1f              ; il etait deja a 0
        tsta
        bne     1f              ; il est encore a 1
        inc     brut            ; 1 puis 0 : un appui de plus, brut
1:      ; avec anti-rebond : un autre niveau LECTURES fois de suite
        cmpa    stable
        beq     2f              ; comme avant : rien a retenir
        inc     meme
        ldab    meme
        cmpb    #LECTURES
        blo     3f
        staa    stable          ; le nouveau niveau tient
        clr     meme
        tsta
        bne     3f
        inc     PORTB           ; un appui de plus, filtre
        bra     3f
2:      clr     meme
3:      ldy     #20             ; le reste des 200 cycles
4:      dey
        bne     4b
        bra     lecture
