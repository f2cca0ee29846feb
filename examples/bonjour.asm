* bonjour.asm -- ecrire "Bonjour" sur le terminal par la liaison serie (SCI).
*
* Le SCI envoie les caracteres un par un sur la broche TxD (PD1), a la
* vitesse choisie dans BAUD. Le programme regle 9600 bauds, met l'emetteur
* en marche, puis pour chaque caractere du message :
*   - attend que le registre d'emission soit libre (bit TDRE de SCSR a 1) ;
*   - ecrit le caractere dans SCDR.
* Lire SCSR quand TDRE vaut 1, puis ecrire SCDR, remet TDRE a 0 : c'est
* justement ce que fait la boucle. A la fin, le programme attend que le
* dernier caractere soit entierement parti (bit TC) et s'arrete sur
* "bra fin".
*
* Dans le simulateur, la fenetre "Terminal SCI" s'ouvre d'elle-meme au
* premier caractere (sinon : Options -> Terminal SCI...). Sans fenetre :
*   tamrix-run --sci-out - examples/bonjour.s19

REGS    EQU     $1000           debut des registres internes
BAUD    EQU     $2B             vitesse : $30 = 9600 bauds (E = 2 MHz)
SCCR1   EQU     $2C             format : 0 = 8 bits de donnees
SCCR2   EQU     $2D             commandes : TE ($08) = emetteur en marche
SCSR    EQU     $2E             etat : TDRE ($80), TC ($40)
SCDR    EQU     $2F             donnee a emettre

        ORG     $B600
debut
        LDS     #$00FF          la pile en haut de la RAM interne
        LDX     #REGS           X pointe sur les registres
        LDAA    #$30
        STAA    BAUD,X          9600 bauds
        CLR     SCCR1,X         8 bits de donnees, 1 bit de stop
        LDAA    #$08
        STAA    SCCR2,X         emetteur en marche
        LDY     #message        Y parcourt le message
suivant
        LDAA    0,Y             le caractere suivant
        BEQ     fini            0 : fin du message
attente
        BRCLR   SCSR,X,$80,attente attendre TDRE = 1
        STAA    SCDR,X          envoyer le caractere
        INY
        BRA     suivant
fini
        BRCLR   SCSR,X,$40,fini attendre TC = 1 : tout est parti
fin     BRA     fin

message
        FCC     "Bonjour"
        FCB     $0D,$0A         retour a la ligne du terminal
        FCB     0               fin du message

        END     debut
