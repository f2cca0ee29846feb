; echo.s -- renvoyer chaque caractere recu sur la liaison serie, par
; interruption.
;
; Chaque caractere tape dans le terminal arrive sur la broche RxD (PD0).
; Quand il est entierement recu, le SCI met le bit RDRF de SCSR a 1 et,
; comme RIE vaut 1, demande une interruption : le CPU empile ses registres
; et saute a l'adresse ecrite dans le vecteur SCI (0xFFD6). Le
; sous-programme d'interruption :
;   - lit SCSR puis SCDR : le caractere est dans B et RDRF revient a 0 ;
;   - compte le caractere (octet 0x0000) ;
;   - attend que l'emetteur soit libre (TDRE) et renvoie le caractere ;
;   - revient au programme interrompu (RTI).
; Entre deux caracteres, le programme principal dort (WAI).
;
; Dans le simulateur : Options -> Terminal SCI..., lancez le programme et
; tapez dans le terminal. Sans fenetre :
;   tamrix-run --sci-in 'Salut\r' --sci-out - examples/echo.s19

REGS    = 0x1000                ; debut des registres internes
BAUD    = 0x2B                  ; vitesse : 0x30 = 9600 bauds
SCCR1   = 0x2C                  ; format : 0 = 8 bits de donnees
SCCR2   = 0x2D                  ; RIE (0x20) TE (0x08) RE (0x04)
SCSR    = 0x2E                  ; etat : TDRE (0x80), RDRF (0x20)
SCDR    = 0x2F                  ; caractere recu (lecture) / a emettre
COMPTE  = 0x0000                ; nombre de caracteres recus

        .sect .text
        .globl _start
_start:
        lds     #0x00ff         ; la pile en haut de la RAM interne
        clr     COMPTE
        ldx     #REGS
        ldaa    #0x30
        staa    BAUD,x          ; 9600 bauds
        clr     SCCR1,x         ; 8 bits de donnees
        ldaa    #0x2C
        staa    SCCR2,x         ; recepteur, emetteur, interruption RDRF
        cli                     ; autoriser les interruptions (I = 0)
dort:
        wai                     ; attendre une interruption
        bra     dort

; Sous-programme d'interruption du SCI.
recu:
        ldx     #REGS           ; (RTI restaure X)
        ldaa    SCSR,x          ; 1re etape : lire SCSR (RDRF = 1)
        ldab    SCDR,x          ; 2e etape : lire SCDR ; RDRF revient a 0
        inc     COMPTE
attente:
        brclr   SCSR,x #0x80 attente    ; attendre TDRE = 1
        stab    SCDR,x          ; renvoyer le caractere
        rti

; Les vecteurs d'interruption, de 0xFFD6 (SCI) a 0xFFFE (reset).
        .section .vecteurs,"a"
        .word   recu            ; 0xFFD6 SCI
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   0xffff, 0xffff, 0xffff, 0xffff, 0xffff
        .word   _start          ; 0xFFFE reset
