* menu.asm -- un menu sur la liaison serie : le programme affiche un menu,
* attend un choix, le renvoie (echo) et repond, puis recommence.
*   1 : "Bonjour !"
*   2 : "Compteur : N", N le nombre de fois que 2 a ete choisi (0 a 9)
*   3 : "Au revoir." et le programme s'arrete
*   autre touche : "Choix inconnu."
*
* Le SCI est regle a 9600 bauds, 8 bits de donnees, emetteur et recepteur
* en marche. Pour ecrire, le programme attend que TDRE vaille 1 puis ecrit
* SCDR ; pour lire, il attend que RDRF vaille 1 puis lit SCDR (lire SCSR
* puis SCDR remet RDRF a 0).
*
* Dans le simulateur : Options -> Terminal SCI..., lancez le programme et
* tapez votre choix quand "Choix ?" s'affiche. Sans fenetre, le script
* examples/menu.dialogue joue le role de l'etudiant et note le programme :
*   tamrix-run --sci-script examples/menu.dialogue --sci-out - \
*       examples/menu.s19
* Avec un vrai terminal : tamrix-run --sci-pty examples/menu.s19, puis
* picocom sur le pseudo-terminal qu'il indique.

REGS    EQU     $1000           debut des registres internes
BAUD    EQU     $2B             vitesse : $30 = 9600 bauds
SCCR1   EQU     $2C             format : 0 = 8 bits de donnees
SCCR2   EQU     $2D             TE ($08) RE ($04)
SCSR    EQU     $2E             etat : TDRE ($80), TC ($40), RDRF ($20)
SCDR    EQU     $2F             caractere recu (lecture) / a emettre
COMPTE  EQU     $0000           nombre de fois que 2 a ete choisi

        ORG     $B600
debut
        LDS     #$00FF          la pile en haut de la RAM interne
        CLR     COMPTE
        LDX     #REGS
        LDAA    #$30
        STAA    BAUD,X          9600 bauds
        CLR     SCCR1,X         8 bits de donnees
        LDAA    #$0C
        STAA    SCCR2,X         emetteur et recepteur en marche
menu
        LDY     #texte_menu
        BSR     ecrit           le menu, puis "Choix ? "
lire
        BRCLR   SCSR,X,$20,lire attendre un caractere (RDRF)
        LDAA    SCDR,X          le choix
        BSR     emet            renvoye, comme un terminal l'attend
        LDY     #retour
        BSR     ecrit
        CMPA    #'1
        BEQ     choix_1
        CMPA    #'2
        BEQ     choix_2
        CMPA    #'3
        BEQ     choix_3
        LDY     #inconnu
        BRA     reponse
choix_1
        LDY     #bonjour
        BRA     reponse
choix_2
        INC     COMPTE
        LDY     #compteur
        BSR     ecrit
        LDAA    COMPTE          (adressage direct : COMPTE est en page 0)
        ADDA    #'0             le chiffre (0 a 9)
        BSR     emet
        LDY     #retour
reponse
        BSR     ecrit
        BRA     menu
choix_3
        LDY     #au_revoir
        BSR     ecrit
tout_parti
        BRCLR   SCSR,X,$40,tout_parti attendre TC : tout est parti
fin     BRA     fin

* ecrit : envoie le texte pointe par Y, termine par un octet nul.
ecrit
        PSHA
ecrit_suivant
        LDAA    0,Y
        BEQ     ecrit_fini
        BSR     emet
        INY
        BRA     ecrit_suivant
ecrit_fini
        PULA
        RTS

* emet : envoie le caractere de A des que l'emetteur est libre (TDRE).
emet
        BRCLR   SCSR,X,$80,emet
        STAA    SCDR,X
        RTS

texte_menu
        FCB     $0D,$0A
        FCC     "Menu"
        FCB     $0D,$0A
        FCC     "1) Bonjour"
        FCB     $0D,$0A
        FCC     "2) Compteur"
        FCB     $0D,$0A
        FCC     "3) Quitter"
        FCB     $0D,$0A
        FCC     "Choix ? "
        FCB     0
retour
        FCB     $0D,$0A,0
bonjour
        FCC     "Bonjour !"
        FCB     $0D,$0A,0
compteur
        FCC     "Compteur : "
        FCB     0
inconnu
        FCC     "Choix inconnu."
        FCB     $0D,$0A,0
au_revoir
        FCC     "Au revoir."
        FCB     $0D,$0A,0

        END     debut
