; clavier_echo.s -- le clavier 4x4 recopie sur les quatre afficheurs,
; comme l'entree d'une calculatrice : chaque touche arrive a droite et
; pousse les autres vers la gauche.
;
; Carte "afficheurs" (Options, Carte... ou tamrix-run --carte afficheurs) :
;   PB0-PB6 = segments a-g, PC3-PC0 = selection des chiffres (1 : allume),
;   PC4-PC7 = lignes du clavier (1 2 3 A / 4 5 6 B / 7 8 9 C / * 0 # D),
;   PE0-PE3 = colonnes, a 1 au repos (resistances de tirage).
; Le port C sert aux deux : a chaque pas, un chiffre est allume ET une
; ligne du clavier mise a 0 ; une touche de cette ligne tenue met sa
; colonne a 0 sur le port E. Quatre pas de 1 ms : afficheurs et clavier
; balayes 250 fois par seconde. Une touche compte quand elle apparait (rien
; n'etait tenu au balayage precedent) : la tenir ne la repete pas.
; Les touches s'affichent en hexadecimal : 0-9, A-D, * pour E, # pour F.
; Avec tamrix-run :
;   tamrix-run --carte afficheurs --max-cycles 600000 \
;     --appui clavier:1@100000 --relache clavier:1@150000 \
;     --appui clavier:#@300000 --relache clavier:#@350000 clavier_echo.s19
;   7seg: "001F"

PORTB   = 0x1004
PORTC   = 0x1003
DDRC    = 0x1007
PORTE   = 0x100a
chiffres = 0x0010               ; de gauche a droite, valeurs 0 a 15
pas      = 0x0014               ; le pas du balayage, 0 a 3
touche   = 0x0015               ; la touche vue a ce balayage, $ff : aucune
tenue    = 0x0016               ; celle du balayage precedent

        .sect .text
        .globl _start
_start:
        lds     #0x00ff
        ldaa    #0xff
        staa    DDRC
        staa    tenue
        clr     chiffres
        clr     chiffres+1
        clr     chiffres+2
        clr     chiffres+3
balayage:
        ldaa    #0xff
        staa    touche
        clr     pas
un_pas:
        clr     PORTC           ; chiffre eteint pendant le changement
        ldab    pas
        ldx     #chiffres
        abx
        ldab    0,x
        ldx     #segments
        abx
        ldaa    0,x
        staa    PORTB
        ldab    pas
        ldx     #selections     ; selection du chiffre et ligne a 0
        abx
        ldaa    0,x
        staa    PORTC
        ldy     #285            ; 1 ms
1:      dey
        bne     1b
        ldaa    PORTE
        anda    #0x0f
        cmpa    #0x0f
        beq     2f
        clrb                    ; la colonne : le bit a 0
3:      lsra
        bcc     4f
        incb
        bra     3b
4:      ldaa    pas             ; touche = ligne x 4 + colonne
        lsla
        lsla
        aba
        staa    touche
2:      inc     pas
        ldaa    pas
        cmpa    #4
        bne     un_pas
        ldaa    touche          ; apparue a ce balayage ?
        cmpa    #0xff
        beq     5f
        ldab    tenue
        cmpb    #0xff
        bne     5f
        ldx     #valeurs        ; sa valeur, poussee a droite
        tab
        abx
        ldaa    0,x
        ldab    chiffres+1
        stab    chiffres
        ldab    chiffres+2
        stab    chiffres+1
        ldab    chiffres+3
        stab    chiffres+2
        staa    chiffres+3
5:      ldaa    touche
        staa    tenue
        bra     balayage

segments:                       ; 0 a F : gfedcba (b et d minuscules)
        .byte   0x3f, 0x06, 0x5b, 0x4f, 0x66, 0x6d, 0x7d, 0x07
        .byte   0x7f, 0x6f, 0x77, 0x7c, 0x39, 0x5e, 0x79, 0x71
selections:                     ; PC3 avec PC4 a 0, PC2 avec PC5...
        .byte   0xe8, 0xd4, 0xb2, 0x71
valeurs:                        ; touche (ligne x 4 + colonne) -> valeur
        .byte   1, 2, 3, 10, 4, 5, 6, 11, 7, 8, 9, 12, 14, 0, 15, 13
