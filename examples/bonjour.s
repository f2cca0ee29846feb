; bonjour.s -- ecrire "Bonjour" sur le terminal par la liaison serie (SCI).
;
; Le SCI envoie les caracteres un par un sur la broche TxD (PD1), a la
; vitesse choisie dans BAUD. Le programme regle 9600 bauds, met l'emetteur
; en marche, puis pour chaque caractere du message :
;   - attend que le registre d'emission soit libre (bit TDRE de SCSR a 1) ;
;   - ecrit le caractere dans SCDR.
; Lire SCSR quand TDRE vaut 1, puis ecrire SCDR, remet TDRE a 0 : c'est
; justement ce que fait la boucle. A la fin, le programme attend que le
; dernier caractere soit entierement parti (bit TC) et s'arrete sur
; "bra fin".
;
; Dans le simulateur, la fenetre "Terminal SCI" s'ouvre d'elle-meme au
; premier caractere (sinon : Options -> Terminal SCI...). Sans fenetre :
;   tamrix-run --sci-out - examples/bonjour.s19

REGS    = 0x1000                ; debut des registres internes
BAUD    = 0x2B                  ; vitesse : 0x30 = 9600 bauds (E = 2 MHz)
SCCR1   = 0x2C                  ; format : 0 = 8 bits de donnees
SCCR2   = 0x2D                  ; commandes : TE (0x08) = emetteur en marche
SCSR    = 0x2E                  ; etat : TDRE (0x80), TC (0x40)
SCDR    = 0x2F                  ; donnee a emettre

        .sect .text
        .globl _start
_start:
        lds     #0x00ff         ; la pile en haut de la RAM interne
        ldx     #REGS           ; X pointe sur les registres
        ldaa    #0x30
        staa    BAUD,x          ; 9600 bauds
        clr     SCCR1,x         ; 8 bits de donnees, 1 bit de stop
        ldaa    #0x08
        staa    SCCR2,x         ; emetteur en marche
        ldy     #message        ; Y parcourt le message
suivant:
        ldaa    0,y             ; le caractere suivant
        beq     fini            ; 0 : fin du message
attente:
        brclr   SCSR,x #0x80 attente    ; attendre TDRE = 1
        staa    SCDR,x          ; envoyer le caractere
        iny
        bra     suivant
fini:
        brclr   SCSR,x #0x40 fini       ; attendre TC = 1 : tout est parti
fin:    bra     fin

message:
        .ascii  "Bonjour\r\n"   ; \r\n : retour a la ligne du terminal
        .byte   0               ; fin du message
