; menu.s -- un menu sur la liaison serie : le programme affiche un menu,
; attend un choix, le renvoie (echo) et repond, puis recommence.
;   1 : "Bonjour !"
;   2 : "Compteur : N", N le nombre de fois que 2 a ete choisi (0 a 9)
;   3 : "Au revoir." et le programme s'arrete
;   autre touche : "Choix inconnu."
;
; Le SCI est regle a 9600 bauds, 8 bits de donnees, emetteur et recepteur
; en marche. Pour ecrire, le programme attend que TDRE vaille 1 puis ecrit
; SCDR ; pour lire, il attend que RDRF vaille 1 puis lit SCDR (lire SCSR
; puis SCDR remet RDRF a 0).
;
; Dans le simulateur : Options -> Terminal SCI..., lancez le programme et
; tapez votre choix quand "Choix ?" s'affiche. Sans fenetre, le script
; examples/menu.dialogue joue le role de l'etudiant et note le programme :
;   tamrix-run --sci-script examples/menu.dialogue --sci-out - \
;       examples/menu.s19
; Avec un vrai terminal : tamrix-run --sci-pty examples/menu.s19, puis
; picocom sur le pseudo-terminal qu'il indique.

REGS    = 0x1000                ; debut des registres internes
BAUD    = 0x2B                  ; vitesse : 0x30 = 9600 bauds
SCCR1   = 0x2C                  ; format : 0 = 8 bits de donnees
SCCR2   = 0x2D                  ; TE (0x08) RE (0x04)
SCSR    = 0x2E                  ; etat : TDRE (0x80), TC (0x40), RDRF (0x20)
SCDR    = 0x2F                  ; caractere recu (lecture) / a emettre
COMPTE  = 0x0000                ; nombre de fois que 2 a ete choisi

        .sect .text
        .globl _start
_start:
        lds     #0x00ff         ; la pile en haut de la RAM interne
        clr     COMPTE
        ldx     #REGS
        ldaa    #0x30
        staa    BAUD,x          ; 9600 bauds
        clr     SCCR1,x         ; 8 bits de donnees
        ldaa    #0x0C
        staa    SCCR2,x         ; emetteur et recepteur en marche
menu:
        ldy     #texte_menu
        bsr     ecrit           ; le menu, puis "Choix ? "
lire:
        brclr   SCSR,x #0x20 lire       ; attendre un caractere (RDRF)
        ldaa    SCDR,x          ; le choix
        bsr     emet            ; renvoye, comme un terminal l'attend
        ldy     #retour
        bsr     ecrit
        cmpa    #'1
        beq     choix_1
        cmpa    #'2
        beq     choix_2
        cmpa    #'3
        beq     choix_3
        ldy     #inconnu
        bra     reponse
choix_1:
        ldy     #bonjour
        bra     reponse
choix_2:
        inc     COMPTE
        ldy     #compteur
        bsr     ecrit
        ldaa    *COMPTE         ; (adressage direct : COMPTE est en page 0)
        adda    #'0             ; le chiffre (0 a 9)
        bsr     emet
        ldy     #retour
reponse:
        bsr     ecrit
        bra     menu
choix_3:
        ldy     #au_revoir
        bsr     ecrit
tout_parti:
        brclr   SCSR,x #0x40 tout_parti ; attendre TC : tout est parti
fin:    bra     fin

; ecrit : envoie le texte pointe par Y, termine par un octet nul.
ecrit:
        psha
ecrit_suivant:
        ldaa    0,y
        beq     ecrit_fini
        bsr     emet
        iny
        bra     ecrit_suivant
ecrit_fini:
        pula
        rts

; emet : envoie le caractere de A des que l'emetteur est libre (TDRE).
emet:
        brclr   SCSR,x #0x80 emet
        staa    SCDR,x
        rts

texte_menu:
        .ascii  "\r\nMenu\r\n1) Bonjour\r\n2) Compteur\r\n3) Quitter\r\n"
        .ascii  "Choix ? "
        .byte   0
retour:
        .ascii  "\r\n"
        .byte   0
bonjour:
        .ascii  "Bonjour !\r\n"
        .byte   0
compteur:
        .ascii  "Compteur : "
        .byte   0
inconnu:
        .ascii  "Choix inconnu.\r\n"
        .byte   0
au_revoir:
        .ascii  "Au revoir.\r\n"
        .byte   0
