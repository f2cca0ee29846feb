; lcd_bonjour.s -- "Bonjour" sur l'afficheur LCD, en mode 4 bits, en
; lisant le drapeau BF (occupe) entre deux octets.
;
; Carte "lcd" (Options, Carte... ou tamrix-run --carte lcd) : un afficheur
; de 2 lignes de 16 caracteres, controleur HD44780, sur le port C :
;   PC0 = RS (0 instruction, 1 donnee), PC1 = R/W (0 ecriture, 1 lecture),
;   PC2 = E (l'afficheur prend les lignes au front descendant),
;   PC4-PC7 = D4-D7 : chaque octet en deux fois, poids fort d'abord.
; Pour lire BF, PC4-PC7 passent en entree (DDRC = $07) : pendant que E vaut
; 1 avec R/W = 1, l'afficheur met BF sur PC7 ; un octet lu, ce sont encore
; deux impulsions de E.
; La mise en route suit la fiche du HD44780U : 15 ms apres la mise sous
; tension, $3 trois fois (4,1 ms puis 100 us d'attente), $2 (mode 4 bits),
; puis $28 (2 lignes), $0C (affichage sans curseur), $01 (effacer), $06
; (le curseur avance). Un octet envoye pendant que BF vaut 1 serait perdu.
; Avec tamrix-run :
;   tamrix-run --carte lcd lcd_bonjour.s19
;   lcd: "Bonjour         " "  68HC11        "

PORTC   = 0x1003
DDRC    = 0x1007
RS      = 0x01
RW      = 0x02
E       = 0x04
ECRIRE  = 0xf7                  ; DDRC : PC0-PC2 et PC4-PC7 en sortie
LIRE    = 0x07                  ; DDRC : D4-D7 en entree

        .sect .text
        .globl _start
_start:
        lds     #0x00ff
        ldaa    #ECRIRE
        staa    DDRC
        clr     PORTC
        ldy     #4286           ; 15 ms : 4286 x 7 cycles
        bsr     attend
        ldaa    #0x30           ; trois fois $3 : le mode 8 bits, quoi
        bsr     impulsion       ; qu'il ait ete avant
        ldy     #1172           ; 4,1 ms
        bsr     attend
        ldaa    #0x30
        bsr     impulsion
        ldy     #29             ; 100 us
        bsr     attend
        ldaa    #0x30
        bsr     impulsion
        ldy     #29
        bsr     attend
        ldaa    #0x20           ; $2 : le mode 4 bits
        bsr     impulsion
        ldx     #reglages
        bsr     instructions
        ldx     #bonjour
        bsr     texte
        ldaa    #0xc2           ; ligne 2 (DDRAM $40), colonne 3
        bsr     instruction
        ldx     #nom_puce
        bsr     texte
fin:    bra     fin

; Les instructions de la table en X, jusqu'au 0.
instructions:
        ldaa    0,x
        beq     1f
        bsr     instruction
        inx
        bra     instructions
1:      rts

; Les caracteres du texte en X, jusqu'au 0.
texte:
        ldaa    0,x
        beq     1f
        bsr     donnee
        inx
        bra     texte
1:      rts

; A vers le registre d'instruction (RS = 0) ou de donnees (RS = 1), une
; fois BF a 0 : le quartet de poids fort, puis celui de poids faible.
instruction:
        clrb
        bra     envoie
donnee:
        ldab    #RS
envoie:
        bsr     attend_bf
        psha
        anda    #0xf0
        aba
        bsr     impulsion
        pula
        lsla
        lsla
        lsla
        lsla
        aba
        bsr     impulsion
        rts

; A sur PC7-PC0 (D7-D4 et RS) ; E monte puis redescend.
impulsion:
        staa    PORTC
        oraa    #E
        staa    PORTC
        anda    #0xff - E       ; E = 0
        staa    PORTC
        rts

; Lit BF jusqu'a ce qu'il vaille 0 ; A et B gardes.
attend_bf:
        psha
        pshb
        ldaa    #LIRE
        staa    DDRC
1:      ldaa    #RW | E
        staa    PORTC
        ldab    PORTC           ; BF dans le bit 7
        ldaa    #RW
        staa    PORTC
        ldaa    #RW | E         ; second quartet : AC3-AC0, ignore
        staa    PORTC
        ldaa    #RW
        staa    PORTC
        tstb
        bmi     1b
        ldaa    #ECRIRE
        staa    DDRC
        pulb
        pula
        rts

; Y tours de 7 cycles.
attend:
        dey
        bne     attend
        rts

reglages:
        .byte   0x28, 0x0c, 0x01, 0x06, 0
bonjour:
        .asciz  "Bonjour"
nom_puce:
        .asciz  "68HC11"
