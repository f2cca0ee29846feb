* echo.asm -- renvoyer chaque caractere recu sur la liaison serie, par
* interruption.
*
* Chaque caractere tape dans le terminal arrive sur la broche RxD (PD0).
* Quand il est entierement recu, le SCI met le bit RDRF de SCSR a 1 et,
* comme RIE vaut 1, demande une interruption : le CPU empile ses registres
* et saute a l'adresse ecrite dans le vecteur SCI ($FFD6). Le
* sous-programme d'interruption :
*   - lit SCSR puis SCDR : le caractere est dans B et RDRF revient a 0 ;
*   - compte le caractere (octet $0000) ;
*   - attend que l'emetteur soit libre (TDRE) et renvoie le caractere ;
*   - revient au programme interrompu (RTI).
* Entre deux caracteres, le programme principal dort (WAI).
*
* Dans le simulateur : Options -> Terminal SCI..., lancez le programme et
* tapez dans le terminal. Sans fenetre :
*   tamrix-run --sci-in 'Salut\r' --sci-out - examples/echo.s19

REGS    EQU     $1000           debut des registres internes
BAUD    EQU     $2B             vitesse : $30 = 9600 bauds
SCCR1   EQU     $2C             format : 0 = 8 bits de donnees
SCCR2   EQU     $2D             RIE ($20) TE ($08) RE ($04)
SCSR    EQU     $2E             etat : TDRE ($80), RDRF ($20)
SCDR    EQU     $2F             caractere recu (lecture) / a emettre
COMPTE  EQU     $0000           nombre de caracteres recus

        ORG     $B600
debut
        LDS     #$00FF          la pile en haut de la RAM interne
        CLR     COMPTE
        LDX     #REGS
        LDAA    #$30
        STAA    BAUD,X          9600 bauds
        CLR     SCCR1,X         8 bits de donnees
        LDAA    #$2C
        STAA    SCCR2,X         recepteur, emetteur, interruption RDRF
        CLI                     autoriser les interruptions (I = 0)
dort
        WAI                     attendre une interruption
        BRA     dort

* Sous-programme d'interruption du SCI.
recu
        LDX     #REGS           (RTI restaure X)
        LDAA    SCSR,X          1re etape : lire SCSR (RDRF = 1)
        LDAB    SCDR,X          2e etape : lire SCDR ; RDRF revient a 0
        INC     COMPTE
attente
        BRCLR   SCSR,X,$80,attente attendre TDRE = 1
        STAB    SCDR,X          renvoyer le caractere
        RTI

* Les vecteurs d'interruption, de $FFD6 (SCI) a $FFFE (reset).
        ORG     $FFD6
        FDB     recu            $FFD6 SCI
        FDB     $FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF
        FDB     $FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF
        FDB     $FFFF,$FFFF,$FFFF,$FFFF,$FFFF
        FDB     debut           $FFFE reset

        END     debut
