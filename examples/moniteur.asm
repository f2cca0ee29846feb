*****************************************************************
*
* moniteur.asm -- un moniteur en ROM pour le MC68HC711E9
*
* Le programme qu'une carte d'evaluation garde dans sa ROM : il
* parle avec un terminal par la liaison serie (SCI, 9600 bauds,
* 8 bits, 1 bit de stop) et permet de lire et d'ecrire la memoire,
* de charger un programme au format S19, de le lancer, de l'arreter
* sur un point d'arret, de le suivre instruction par instruction et
* de le desassembler.
*
* Dans tamrix :
*   tamrix examples/moniteur.asm
* Le source est assemble et charge dans la ROM ($D000-$FFFF) avec
* ses vecteurs ; le reset demarre le moniteur et la fenetre
* "Terminal SCI" s'ouvre au premier caractere. Sans fenetre :
*   tamrix-run --sci-in 'MD B600\r' --sci-out - examples/moniteur.asm
*
* La machine : le MC68HC711E9 en mode etendu, comme sur une carte
* d'evaluation, quartz de 8 MHz (horloge E = 2 MHz).
*
*   $0000-$01FF  RAM interne : au programme de l'utilisateur
*   $1000-$103F  registres internes (INIT garde sa valeur de reset)
*   $B600-$B7FF  EEPROM : programmee par PPROG, octet par octet
*   $C800-$CFFF  RAM externe du moniteur (ses variables, sa pile,
*                les pseudo-vecteurs en $CC00-$CC2F)
*   $D000-$FFFF  ROM : ce programme et les vecteurs
*   ailleurs     RAM externe, libre pour l'utilisateur
*
* Les commandes (nombres en hexadecimal, $ permis devant) :
*
*   HELP ou ?              la liste des commandes
*   MD adr [fin]           affiche la memoire, 16 octets par ligne
*                          avec leurs caracteres ASCII
*   MM adr                 modifie la memoire : une valeur puis
*                          Entree ecrit et passe a l'octet suivant,
*                          Entree seul passe, ^ revient en arriere,
*                          . termine
*   RM [reg valeur]        affiche les registres du programme et les
*                          modifie un par un (P Y X A B C S)
*   G [adr]                lance le programme avec ses registres ;
*                          il revient au moniteur sur un SWI
*   CALL adr               appelle un sous-programme ; son RTS
*                          revient au moniteur
*   BR [adr...]            pose des points d'arret ; BR - les efface
*   T [n]                  trace n instructions
*   DASM adr [n]           desassemble n instructions (ASM aussi)
*   BF debut fin val       remplit la memoire
*   MOVE debut fin dest    copie la memoire
*   LOAD T                 charge un fichier S19 envoye par le
*                          terminal
*
* Ce que le moniteur suit du manuel de reference (M68HC11RM) et des
* donnees techniques de la famille E (MC68HC11E/D) :
*   - SCI : BAUD = $30 donne 9600 bauds avec E = 2 MHz ; l'emission
*     attend TDRE, la reception se fait par interruption (RIE) ;
*     lire SCSR puis SCDR efface RDRF et OR.
*   - interruptions : l'empilement de 9 octets (PCL, PCH, IYL, IYH,
*     IXL, IXH, A, B, CCR), SWI par le vecteur $FFF6, le piege des
*     codes inexistants par $FFF8 avec l'adresse du code empilee,
*     les vecteurs de $FFD6 (SCI) a $FFFE (reset).
*   - EEPROM : effacement d'un octet (PPROG = $16 puis $17),
*     programmation (PPROG = $02 puis $03), 10 ms chacun, comptes
*     sur le compteur libre TCNT ; EPGM n'est jamais mis dans la
*     meme ecriture que EELAT ; BPROT ne s'efface que dans les 64
*     premiers cycles apres le reset.
*   - la longueur de chaque instruction et son mode d'adressage,
*     d'apres la carte des codes operation (les quatre pages : sans
*     prefixe, $18, $1A, $CD).
*
* Ce qui manque : les enregistrements S2, S3, S7 et S8 (adresses sur
* plus de 16 bits : comptes comme erreurs), le mode monopuce (pas de
* RAM externe : le moniteur le dit et s'arrete), un INIT deplace,
* l'assembleur en ligne (ASM ne fait que desassembler), la trace des
* programmes en ROM. Les messages sont en ASCII, sans accents, comme
* les terminaux des cartes les affichent.
*
*****************************************************************

*****************************************************************
* Les registres internes (decalages depuis REGS)
*****************************************************************
REGS    EQU     $1000           debut du bloc de registres
PORTB   EQU     $04             port B (sorties)
TCNT    EQU     $0E             compteur libre, une unite par cycle E
TMSK1   EQU     $22             autorisations OC1-OC5, IC1-IC3
TMSK2   EQU     $24             TOI RTII PAOVI PAII - - PR1 PR0
SPCR    EQU     $28             SPIE SPE DWOM MSTR CPOL CPHA SPR1 SPR0
BAUD    EQU     $2B             vitesse du SCI
SCCR1   EQU     $2C             format : M (9 bits), WAKE
SCCR2   EQU     $2D             TIE TCIE RIE ILIE TE RE RWU SBK
SCSR    EQU     $2E             TDRE TC RDRF IDLE OR NF FE -
SCDR    EQU     $2F             donnee recue / a emettre
BPROT   EQU     $35             - - - PTCON BPRT3 BPRT2 BPRT1 BPRT0
PPROG   EQU     $3B             ODD EVEN - BYTE ROW ERASE EELAT EPGM

* Valeurs des registres
V_BAUD  EQU     $30             9600 bauds avec E = 2 MHz
V_SCCR2 EQU     $2C             RIE + TE + RE
V_BPROT EQU     $10             PTCON garde CONFIG ; l'EEPROM est libre
TDRE    EQU     $80             SCSR : registre d'emission vide
RDRF    EQU     $20             SCSR : caractere recu
OR      EQU     $08             SCSR : caractere perdu (debordement)
EE_EFF  EQU     $16             PPROG : BYTE + ERASE + EELAT
EE_PRG  EQU     $02             PPROG : EELAT
EPGM    EQU     $01             PPROG : la tension de programmation
DIXMS   EQU     20000           10 ms en cycles E a 2 MHz

*****************************************************************
* La carte memoire vue par le moniteur
*****************************************************************
EEPROM  EQU     $B600           premiere adresse de l'EEPROM
EEPFIN  EQU     $B800           premiere adresse apres l'EEPROM
ROM     EQU     $D000           premiere adresse de la ROM
ZONE    EQU     $C800           premiere adresse de la RAM du moniteur
PILE    EQU     $CEFF           sommet de la pile du moniteur
RX_BUF  EQU     $CF00           file des caracteres recus (256 octets)

* Les sortes de memoire (rendues par GENRE dans B)
G_RAM   EQU     0               RAM : une ecriture se relit
G_REG   EQU     1               registres : ecrits sans relecture
G_EEP   EQU     2               EEPROM : effacee puis programmee
G_ROM   EQU     3               ROM : jamais ecrite
G_MON   EQU     4               RAM du moniteur : refusee

*****************************************************************
* Caracteres et codes operation
*****************************************************************
NUL     EQU     $00
CTRLC   EQU     $03             Ctrl-C : abandonne la ligne
BS      EQU     $08             retour arriere
LF      EQU     $0A
CR      EQU     $0D
ESC     EQU     $1B             Echap : arrete un affichage, un programme
ESPACE  EQU     $20
DEL     EQU     $7F             efface aussi le dernier caractere
OP_SWI  EQU     $3F             le code de SWI, pose aux points d'arret
OP_JMP  EQU     $7E             JMP etendu, dans les pseudo-vecteurs

* Les modes du moniteur quand il rend la main au programme
M_AUCUN EQU     0               rien en cours
M_G     EQU     1               G : points d'arret poses
M_CALL  EQU     2               CALL : comme G, retour par RTS
M_TRACE EQU     3               T : un SWI apres l'instruction
M_PASBR EQU     4               G ou CALL depuis un point d'arret :
*                               une instruction d'abord, puis les
*                               points d'arret

* Les raisons d'entrer dans le moniteur (dans B pour ENTREE) ;
* 1 a 15 : une interruption sans programme, par son rang
R_SWI   EQU     $40             un SWI
R_ILL   EQU     $41             un code operation inexistant
R_ESC   EQU     $42             Echap tape pendant le programme

NB_BR   EQU     6               points d'arret au plus
NB_PAT  EQU     8               SWI poses au plus (6 points ou 2 pour T)
LONGMAX EQU     72              caracteres d'une ligne de commande

*****************************************************************
* La RAM du moniteur ($C800-$CFFF, RAM externe)
*
* Rien n'y est charge : le reset l'initialise. LOAD, MM, BF et MOVE
* refusent d'y ecrire, sauf dans la table des pseudo-vecteurs.
*****************************************************************
        ORG     ZONE
E_IMG   RMB     512             $C800 octets destines a l'EEPROM
*                               pendant LOAD (programmes apres S9)
ENR     RMB     256             $CA00 donnees d'un enregistrement S1
E_MASQ  RMB     64              $CB00 un bit par octet de E_IMG
*                               a programmer

*****************************************************************
* Les pseudo-vecteurs ($CC00-$CC2F)
*
* Chaque vecteur d'interruption de la ROM (sauf SWI, le code
* inexistant, le COP, le moniteur d'horloge et le reset) mene a
* une de ces entrees de trois octets, en RAM. Au reset chacune
* contient un JMP vers le moniteur ; un programme charge y ecrit
* son propre JMP (OP_JMP puis l'adresse) pour prendre
* l'interruption :
*         LDAA  #$7E
*         STAA  $CC18            PV_OC2
*         LDD   #mon_oc2
*         STD   $CC19
*****************************************************************
        ORG     $CC00
PSEUDO  EQU     *
PV_SCI  RMB     3               $CC00 SCI ($FFD6)
PV_SPI  RMB     3               $CC03 SPI ($FFD8)
PV_PAI  RMB     3               $CC06 front sur PAI ($FFDA)
PV_PAOV RMB     3               $CC09 debordement de PA ($FFDC)
PV_TOF  RMB     3               $CC0C debordement du timer ($FFDE)
PV_OC5  RMB     3               $CC0F OC5 ($FFE0)
PV_OC4  RMB     3               $CC12 OC4 ($FFE2)
PV_OC3  RMB     3               $CC15 OC3 ($FFE4)
PV_OC2  RMB     3               $CC18 OC2 ($FFE6)
PV_OC1  RMB     3               $CC1B OC1 ($FFE8)
PV_IC3  RMB     3               $CC1E IC3 ($FFEA)
PV_IC2  RMB     3               $CC21 IC2 ($FFEC)
PV_IC1  RMB     3               $CC24 IC1 ($FFEE)
PV_RTI  RMB     3               $CC27 interruption temps reel ($FFF0)
PV_IRQ  RMB     3               $CC2A IRQ ($FFF2)
PV_XIRQ RMB     3               $CC2D XIRQ ($FFF4)
PV_FIN  EQU     *

*****************************************************************
* Les registres du programme de l'utilisateur, dans l'ordre ou le
* CPU les empile (le CCR au sommet de la pile)
*****************************************************************
R_C     RMB     1               CCR
R_B     RMB     1
R_A     RMB     1
R_X     RMB     2
R_Y     RMB     2
R_P     RMB     2               PC
R_S     RMB     2               la pile, avant l'empilement

*****************************************************************
* L'etat du moniteur
*****************************************************************
EN_MON  RMB     1               1 : le moniteur a la main (le SCI
*                               est a lui) ; 0 : le programme tourne
MODE    RMB     1               M_AUCUN, M_G, M_CALL, M_TRACE, M_PASBR
MODE2   RMB     1               le mode apres le pas de M_PASBR
RAISON  RMB     1               pourquoi le programme s'est arrete
DEMARR  RMB     1               0 reset, 1 COP, 2 moniteur d'horloge
IMPREV  RMB     1               rang+1 d'une interruption sans
*                               programme arrivee dans le moniteur
CALL_A  RMB     1               1 : un CALL attend son RTS
CALL_P  RMB     2               le PC avant le CALL
N_BR    RMB     1               nombre de points d'arret
T_BR    RMB     2*NB_BR         leurs adresses
N_PAT   RMB     1               nombre de SWI poses
T_PAT   RMB     3*NB_PAT        chacun : adresse, octet d'origine
TROUVE  RMB     1               ENLEVE : le SWI arrete etait a nous
P_SWI   RMB     2               adresse du SWI qui a arrete
T_PC    RMB     2               adresse de l'instruction tracee
T_RESTE RMB     2               instructions a tracer encore

* La file de reception (RX_BUF) : le moniteur lit en RX_T,
* l'interruption du SCI ecrit en RX_Q
RX_T    RMB     1
RX_Q    RMB     1
RX_PERD RMB     1               caracteres perdus, file pleine

* La ligne de commande
L_NB    RMB     1               caracteres tapes
L_PTR   RMB     2               prochain caractere a lire
LIGNE   RMB     LONGMAX+1       le texte, termine par NUL

* Le desassembleur (DECODE) : l'instruction a D_ADR
D_ADR   RMB     2               adresse de l'instruction
D_PAGE  RMB     1               prefixe : 0, $18, $1A ou $CD
D_OP    RMB     1               code operation (apres le prefixe)
D_MN    RMB     1               numero du mnemonique
D_MODE  RMB     1               mode d'adressage (INH a PRB)
D_NB    RMB     1               octets d'operande
D_OPR   RMB     2               adresse du premier octet d'operande
D_SUIV  RMB     2               adresse de l'instruction suivante
TXPTR   RMB     2               fin du texte dans TXBUF
TXBUF   RMB     24              le texte de l'instruction

* Variables de travail des commandes
ADR1    RMB     2
ADR2    RMB     2
ADR3    RMB     2
VALEUR  RMB     2
COMPTE  RMB     2
NB_CHIF RMB     1
COL     RMB     1
DEC_N   RMB     1
NB_OCT  RMB     1               DEBLIGNE : octets a ecrire
NB_BITS RMB     1               ECRREGS : bits du CCR a ecrire
T_DEBUT RMB     2               ATT10MS : TCNT au debut de l'attente
EE_NEUF RMB     1               ECR_EEP : la valeur a ecrire
RM_REG  RMB     2               RM : l'entree de REGTAB en cours

* LOAD
S_SOM   RMB     1               somme des octets de l'enregistrement
S_NB    RMB     1               octets annonces par l'enregistrement
S_ND    RMB     1               octets de donnees
S_ADR   RMB     2               adresse de l'enregistrement
S_ENR   RMB     2               enregistrements S1 acceptes
S_ERR   RMB     2               enregistrements faux
S_REF   RMB     2               octets refuses (ROM, moniteur...)
S_DEP   RMB     2               adresse de l'enregistrement S9
S_RANG  RMB     2               rang d'un octet de l'EEPROM
ZONEFIN EQU     *

*****************************************************************
*
* Le programme, en ROM
*
*****************************************************************
        ORG     ROM

*****************************************************************
* DEMARRE -- le reset
*
* BPROT doit etre ecrit dans les 64 premiers cycles : c'est la
* premiere chose faite. Le COP et le moniteur d'horloge passent
* par le meme chemin (B dit lequel).
*****************************************************************
DEMARRE CLRB                    un reset ordinaire
        BRA     DEM1
DEM_COP LDAB    #1              le chien de garde (COP)
        BRA     DEM1
DEM_CME LDAB    #2              le moniteur d'horloge
DEM1    LDAA    #V_BPROT
        STAA    REGS+BPROT      l'EEPROM devient programmable
        LDS     #$01FF          une pile en RAM interne, le temps
*                               de verifier la RAM externe
        LDAA    #$55            la RAM du moniteur repond-elle ?
        STAA    ZONEFIN
        CMPA    ZONEFIN
        BNE     DEM_SR
        LDAA    #$AA
        STAA    ZONEFIN
        CMPA    ZONEFIN
        BEQ     DEM_R
DEM_SR  JMP     SANSRAM
DEM_R   LDS     #PILE           la pile du moniteur
        STAB    DEMARR
* La file de reception, vide
        CLR     RX_T
        CLR     RX_Q
        CLR     RX_PERD
* Les pseudo-vecteurs : 16 JMP vers le moniteur
        LDX     #PV_INIT
        LDY     #PSEUDO
DEM2    LDAA    0,X
        STAA    0,Y
        INX
        INY
        CPY     #PV_FIN
        BNE     DEM2
* Les registres du programme : ceux d'un reset, la pile en haut de
* la RAM interne
        LDD     #EEPROM
        STD     R_P
        LDD     #$01FF
        STD     R_S
        LDD     #0
        STD     R_X
        STD     R_Y
        STAA    R_A
        STAA    R_B
        LDAA    #$D0            S, X et I mis
        STAA    R_C
* Rien en cours
        CLR     MODE
        CLR     N_BR
        CLR     N_PAT
        CLR     CALL_A
        CLR     IMPREV
        LDAA    #1
        STAA    EN_MON
        JSR     INIT_SCI
        CLI                     le SCI recoit par interruption
* La banniere
        LDX     #M_TITRE
        JSR     ECRTXT
        LDAB    DEMARR
        BEQ     DEM4
        LDX     #M_COP
        DECB
        BEQ     DEM3
        LDX     #M_CME
DEM3    JSR     ECRTXT
DEM4    JMP     PRINCIPAL

* Pas de RAM externe : le mode monopuce. Le moniteur le dit avec la
* pile en RAM interne, puis s'arrete.
SANSRAM JSR     INIT_SCI
        CLI
        LDX     #M_SANSR
        JSR     ECRTXT
SANS1   BRA     SANS1

* Le contenu des pseudo-vecteurs apres le reset
PV_INIT FCB     OP_JMP
        FDB     IT_SCIM         SCI : la reception du moniteur
        FCB     OP_JMP
        FDB     IMP_SPI
        FCB     OP_JMP
        FDB     IMP_PAI
        FCB     OP_JMP
        FDB     IMP_PAOV
        FCB     OP_JMP
        FDB     IMP_TOF
        FCB     OP_JMP
        FDB     IMP_OC5
        FCB     OP_JMP
        FDB     IMP_OC4
        FCB     OP_JMP
        FDB     IMP_OC3
        FCB     OP_JMP
        FDB     IMP_OC2
        FCB     OP_JMP
        FDB     IMP_OC1
        FCB     OP_JMP
        FDB     IMP_IC3
        FCB     OP_JMP
        FDB     IMP_IC2
        FCB     OP_JMP
        FDB     IMP_IC1
        FCB     OP_JMP
        FDB     IMP_RTI
        FCB     OP_JMP
        FDB     IMP_IRQ
        FCB     OP_JMP
        FDB     IMP_XIRQ

*****************************************************************
* INIT_SCI -- le SCI du moniteur : 9600 bauds, 8 bits, emetteur,
* recepteur et son interruption. N'ecrit que ce qui change (une
* ecriture de BAUD relance l'horloge des bits).
* Detruit A.
*****************************************************************
INIT_SCI LDAA   REGS+BAUD
        CMPA    #V_BAUD
        BEQ     ISCI1
        LDAA    #V_BAUD
        STAA    REGS+BAUD
ISCI1   CLR     REGS+SCCR1      8 bits de donnees
        LDAA    REGS+SCCR2
        CMPA    #V_SCCR2
        BEQ     ISCI2
        LDAA    #V_SCCR2
        STAA    REGS+SCCR2
ISCI2   RTS

*****************************************************************
* PRINCIPAL -- la boucle des commandes : l'invite, une ligne, la
* commande. Les erreurs y reviennent avec une pile neuve.
*****************************************************************
PRINCIPAL LDS   #PILE
        CLI
        LDAA    #1
        STAA    EN_MON
        LDAB    IMPREV          une interruption sans programme
        BEQ     PRI1            est arrivee pendant la commande
        CLR     IMPREV
        DECB
        LDX     #M_IMP
        JSR     ECRTXT
        JSR     ECRSRC
        LDX     #M_COUPE
        JSR     ECRTXT
PRI1    LDAA    #'>
        JSR     ECRCAR
        JSR     LITLIGNE
        JSR     EXECUTE
        BRA     PRINCIPAL

*****************************************************************
* ERREUR -- affiche le message en X et revient a l'invite
* ERRADR -- de meme, suivi de l'adresse dans D
*****************************************************************
ERREUR  JSR     ECRTXT
        JSR     CRLF
        JMP     PRINCIPAL
ERRADR  PSHB
        PSHA
        JSR     ECRTXT
        PULA
        PULB
        JSR     ECRH4
        JSR     CRLF
        JMP     PRINCIPAL

*****************************************************************
*
* Entrees et sorties sur le terminal
*
*****************************************************************

*****************************************************************
* IT_SCI -- le vecteur du SCI ($FFD6)
*
* Tant que le moniteur a la main, le SCI est a lui ; quand le
* programme tourne, l'interruption passe par son pseudo-vecteur
* (qui mene a IT_SCIM tant que le programme n'en a pas mis un a
* lui).
*****************************************************************
IT_SCI  LDAA    EN_MON
        BNE     IT_SCIM
        JMP     PV_SCI

*****************************************************************
* IT_SCIM -- la reception du moniteur : le caractere recu va dans
* la file RX_BUF (perdu si elle est pleine).
*
* LITCAR dort sur un WAI quand la file est vide. Si le caractere
* arrive entre son dernier test de la file et le WAI, le PC empile
* est celui du WAI : il est avance d'un octet, pour que LITCAR
* teste la file a nouveau au lieu de dormir sur un caractere deja
* la.
*
* Echap recu pendant que le programme tourne l'arrete : les
* registres empiles sont les siens.
*****************************************************************
IT_SCIM TSX                     X -> le CCR empile ; PC en 7,X
        LDD     7,X
        CPD     #ATT_WAI
        BNE     ITS1
        LDD     #ATT_WAI+1
        STD     7,X
ITS1    LDAA    REGS+SCSR       1re etape : lire SCSR
        BITA    #RDRF+OR
        BEQ     ITS3            rien de recu
        LDAB    REGS+SCDR       2e etape : lire SCDR
        CMPB    #ESC
        BNE     ITS2
        TST     EN_MON
        BNE     ITS2
        LDAB    #R_ESC          Echap pendant le programme
        JMP     ENTREE
ITS2    LDAA    RX_Q
        INCA
        CMPA    RX_T
        BEQ     ITS4            file pleine
        LDX     #RX_BUF
        PSHB
        LDAB    RX_Q
        ABX
        PULB
        STAB    0,X
        STAA    RX_Q
ITS3    RTI
ITS4    INC     RX_PERD
        RTI

*****************************************************************
* LITCAR -- attend un caractere du terminal et le rend dans A.
* Garde B, X et Y.
*****************************************************************
LITCAR  PSHB
        PSHX
LC1     LDAA    RX_T
        CMPA    RX_Q
        BNE     LC2
ATT_WAI WAI                     dormir jusqu'a une interruption
        BRA     LC1
LC2     LDX     #RX_BUF
        TAB
        ABX
        LDAA    0,X
        INC     RX_T
        PULX
        PULB
        RTS

*****************************************************************
* ARRET -- Echap est-il le prochain caractere de la file ? Si oui
* il est lu et C vaut 1. Un autre caractere reste dans la file
* (c'est la commande suivante). Garde A, B, X et Y.
*****************************************************************
ARRET   PSHA
        PSHB
        PSHX
        LDAA    RX_T
        CMPA    RX_Q
        BEQ     ARR1
        LDX     #RX_BUF
        TAB
        ABX
        LDAA    0,X
        CMPA    #ESC
        BNE     ARR1
        INC     RX_T
        SEC
        BRA     ARR2
ARR1    CLC
ARR2    PULX
        PULB
        PULA
        RTS

*****************************************************************
* ECRCAR -- envoie le caractere A au terminal, quand le registre
* d'emission est libre (TDRE). Les interruptions sont masquees de
* la lecture de SCSR a l'ecriture de SCDR, pour qu'aucune lecture
* de SCSR par l'interruption ne se glisse entre les deux.
* Garde tous les registres ; le moniteur tourne avec I = 0.
*****************************************************************
ECRCAR  PSHB
EC1     SEI
        LDAB    REGS+SCSR
        BMI     EC2             TDRE = 1
        CLI
        BRA     EC1
EC2     STAA    REGS+SCDR
        CLI
        PULB
        RTS

* CRLF -- passe a la ligne. ESP2 -- deux espaces. ECRESP -- un
* espace. Gardent tous les registres.
CRLF    PSHA
        LDAA    #CR
        JSR     ECRCAR
        LDAA    #LF
        JSR     ECRCAR
        PULA
        RTS
ESP2    BSR     ECRESP
ECRESP  PSHA
        LDAA    #ESPACE
        JSR     ECRCAR
        PULA
        RTS

* ESPN -- B espaces (aucun si B vaut 0 ou est negatif). Detruit B.
ESPN    TSTB
        BLE     ESPN1
        BSR     ECRESP
        DECB
        BRA     ESPN
ESPN1   RTS

*****************************************************************
* ECRTXT -- envoie le texte en X, termine par NUL ; X pointe
* ensuite apres le NUL. Detruit A.
*****************************************************************
ECRTXT  LDAA    0,X
        INX
        TSTA
        BEQ     ECT1
        JSR     ECRCAR
        BRA     ECRTXT
ECT1    RTS

*****************************************************************
* Les nombres en hexadecimal (minuscules, comme le desassembleur de
* tamrix)
* NIBCAR -- le chiffre du quartet bas de A, dans A
* ECRH1, ECRH2, ECRH4 -- un chiffre (quartet bas de A), l'octet A,
* le mot D. Gardent tous les registres.
*****************************************************************
NIBCAR  ANDA    #$0F
        ADDA    #'0
        CMPA    #'9
        BLS     NIB1
        ADDA    #'a-'9-1
NIB1    RTS

ECRH1   PSHA
        BSR     NIBCAR
        JSR     ECRCAR
        PULA
        RTS

ECRH2   PSHA
        LSRA
        LSRA
        LSRA
        LSRA
        BSR     ECRH1
        PULA
        BSR     ECRH1
        RTS

ECRH4   BSR     ECRH2
        PSHA
        TBA
        BSR     ECRH2
        PULA
        RTS

*****************************************************************
* ECRDEC -- le mot D en decimal, sans zeros en tete. Detruit A, B.
*****************************************************************
ECRDEC  PSHX
        CLR     DEC_N
ECD1    LDX     #10
        IDIV                    X = D / 10, D = reste
        ADDB    #'0
        PSHB
        INC     DEC_N
        XGDX
        CPD     #0
        BNE     ECD1
ECD2    PULA
        JSR     ECRCAR
        DEC     DEC_N
        BNE     ECD2
        PULX
        RTS

*****************************************************************
* LITLIGNE -- lit une ligne de commande dans LIGNE, avec l'echo
*
* Retour arriere (BS) ou DEL efface le dernier caractere ; Entree
* (CR) termine la ligne ; LF est ignore (les terminaux qui envoient
* CR LF) ; Ctrl-C ou Echap abandonnent la ligne (elle est alors
* vide). Les autres caracteres de controle sont ignores, et ceux
* qui depassent LONGMAX aussi.
* Sortie : L_PTR au debut de la ligne, terminee par NUL.
*****************************************************************
LITLIGNE CLR    L_NB
LL1     JSR     LITCAR
        CMPA    #CR
        BEQ     LL5
        CMPA    #BS
        BEQ     LL3
        CMPA    #DEL
        BEQ     LL3
        CMPA    #CTRLC
        BEQ     LL4
        CMPA    #ESC
        BEQ     LL4
        CMPA    #ESPACE
        BLO     LL1             un autre caractere de controle
        CMPA    #DEL
        BHI     LL1             au-dela de l'ASCII
        LDAB    L_NB
        CMPB    #LONGMAX
        BHS     LL1             la ligne est pleine
        LDX     #LIGNE
        ABX
        STAA    0,X
        INC     L_NB
        JSR     ECRCAR          l'echo
        BRA     LL1
LL3     TST     L_NB            effacer le dernier caractere
        BEQ     LL1
        DEC     L_NB
        LDAA    #BS
        JSR     ECRCAR
        JSR     ECRESP
        JSR     ECRCAR
        BRA     LL1
LL4     CLR     L_NB            abandonner la ligne
LL5     LDX     #LIGNE
        LDAB    L_NB
        ABX
        CLR     0,X
        LDX     #LIGNE
        STX     L_PTR
        JMP     CRLF

*****************************************************************
*
* Lecture de la ligne de commande
*
*****************************************************************

*****************************************************************
* MAJ -- A en majuscule s'il est une lettre minuscule
*****************************************************************
MAJ     CMPA    #'a
        BLO     MAJ1
        CMPA    #'z
        BHI     MAJ1
        SUBA    #'a-'A
MAJ1    RTS

*****************************************************************
* BLANCS -- passe les espaces et les virgules de la ligne. Rend le
* caractere suivant dans A (NUL a la fin : Z vaut alors 1) et sa
* place dans X et L_PTR.
*****************************************************************
BLANCS  LDX     L_PTR
BL1     LDAA    0,X
        CMPA    #ESPACE
        BEQ     BL2
        CMPA    #',
        BNE     BL3
BL2     INX
        BRA     BL1
BL3     STX     L_PTR
        TSTA
        RTS

*****************************************************************
* FINLIGNE -- rien ne doit rester sur la ligne
*****************************************************************
FINLIGNE BSR    BLANCS
        BNE     FL1
        RTS
FL1     LDX     #M_TROP
        JMP     ERREUR

*****************************************************************
* CHIFHEX -- la valeur du chiffre hexadecimal A (majuscule ou
* minuscule) dans A, C = 0 ; C = 1 si A n'est pas un chiffre.
*****************************************************************
CHIFHEX BSR     MAJ
        CMPA    #'0
        BLO     CH2
        CMPA    #'9
        BLS     CH1
        CMPA    #'A
        BLO     CH2
        CMPA    #'F
        BHI     CH2
        SUBA    #'A-10-'0
CH1     SUBA    #'0
        CLC
        RTS
CH2     SEC
        RTS

*****************************************************************
* LITNB -- lit un nombre hexadecimal de la ligne (un $ devant est
* permis), de 1 a 4 chiffres, suivi d'un espace, d'une virgule ou
* de la fin de la ligne.
* Sortie : C = 0 et D = la valeur, L_PTR apres le nombre ;
*          C = 1 et A = 0 : pas de nombre (fin de ligne) ;
*          C = 1 et A = 1 : un mot qui n'est pas un nombre.
*****************************************************************
LITNB   JSR     BLANCS
        BEQ     LN5             fin de ligne
        CMPA    #'$
        BNE     LN1
        INX
LN1     CLR     NB_CHIF
        LDD     #0
        STD     VALEUR
LN2     LDAA    0,X
        BSR     CHIFHEX
        BCS     LN3
        LDAB    VALEUR          le chiffre qui sortirait a gauche
        CMPB    #$10
        BHS     LN6             plus de 4 chiffres significatifs
        INC     NB_CHIF
        PSHA
        LDD     VALEUR
        LSLD
        LSLD
        LSLD
        LSLD
        STD     VALEUR
        PULA
        ORAA    VALEUR+1
        STAA    VALEUR+1
        INX
        BRA     LN2
LN3     TST     NB_CHIF
        BEQ     LN6
        LDAA    0,X             le nombre doit finir ici
        BEQ     LN4
        CMPA    #ESPACE
        BEQ     LN4
        CMPA    #',
        BNE     LN6
LN4     STX     L_PTR
        LDD     VALEUR
        CLC
        RTS
LN5     CLRA
        SEC
        RTS
LN6     LDAA    #1
        SEC
        RTS

*****************************************************************
* LITHEX -- un nombre facultatif : C = 1 s'il n'y en a pas, erreur
* si le mot n'est pas un nombre.
* ARGADR -- un nombre obligatoire (une adresse).
* ARGOCT -- un nombre obligatoire de 8 bits (dans B).
*****************************************************************
LITHEX  BSR     LITNB
        BCC     LH1
        TSTA
        BNE     LH2
        SEC
LH1     RTS
LH2     LDX     #M_NOMBRE
        JMP     ERREUR

ARGADR  BSR     LITHEX
        BCS     AA1
        RTS
AA1     LDX     #M_ADR
        JMP     ERREUR

ARGOCT  BSR     LITHEX
        BCS     AO1
        TSTA
        BNE     AO2
        RTS
AO1     LDX     #M_VAL
        JMP     ERREUR
AO2     LDX     #M_OCTET
        JMP     ERREUR

*****************************************************************
* CHERCHE -- cherche le mot de la ligne (a L_PTR) dans une table
* de noms. Chaque entree : le nom en majuscules, NUL, un mot de
* deux octets ; la table finit par $FF. Le mot de la ligne peut
* etre en minuscules et finit par un espace, une virgule ou la fin.
* Entree : Y = la table.
* Sortie : C = 0, D = le mot de l'entree et L_PTR apres le mot ;
*          C = 1 : le mot n'est pas dans la table.
*****************************************************************
CHERCHE JSR     BLANCS
CHR1    LDAA    0,Y
        CMPA    #$FF
        BEQ     CHR6            fin de la table
        LDX     L_PTR
CHR2    LDAA    0,X
        JSR     MAJ
        CMPA    0,Y
        BNE     CHR4
        INX
        INY
        TST     0,Y
        BNE     CHR2
        LDAA    0,X             le nom de la table est fini :
        BEQ     CHR3            le mot aussi ?
        CMPA    #ESPACE
        BEQ     CHR3
        CMPA    #',
        BNE     CHR5
CHR3    STX     L_PTR
        LDD     1,Y
        CLC
        RTS
CHR4    TST     0,Y             au NUL de ce nom
        BEQ     CHR5
        INY
        BRA     CHR4
CHR5    INY                     le NUL et le mot
        INY
        INY
        BRA     CHR1
CHR6    SEC
        RTS

*****************************************************************
* EXECUTE -- la commande de la ligne
*****************************************************************
EXECUTE JSR     BLANCS
        BNE     EXE1
        RTS                     une ligne vide
EXE1    LDY     #COMMANDES
        BSR     CHERCHE
        BCS     EXE2
        XGDX
        JMP     0,X
EXE2    LDX     #M_INCON
        JMP     ERREUR

* Les commandes et leurs programmes
COMMANDES FCC   'HELP'
        FCB     NUL
        FDB     CMD_AIDE
        FCC     '?'
        FCB     NUL
        FDB     CMD_AIDE
        FCC     'MD'
        FCB     NUL
        FDB     CMD_MD
        FCC     'MM'
        FCB     NUL
        FDB     CMD_MM
        FCC     'RM'
        FCB     NUL
        FDB     CMD_RM
        FCC     'G'
        FCB     NUL
        FDB     CMD_G
        FCC     'CALL'
        FCB     NUL
        FDB     CMD_CALL
        FCC     'BR'
        FCB     NUL
        FDB     CMD_BR
        FCC     'T'
        FCB     NUL
        FDB     CMD_T
        FCC     'DASM'
        FCB     NUL
        FDB     CMD_DASM
        FCC     'ASM'
        FCB     NUL
        FDB     CMD_DASM
        FCC     'BF'
        FCB     NUL
        FDB     CMD_BF
        FCC     'MOVE'
        FCB     NUL
        FDB     CMD_MOVE
        FCC     'LOAD'
        FCB     NUL
        FDB     CMD_LOAD
        FCB     $FF

*****************************************************************
* CMD_AIDE -- HELP ou ?
*****************************************************************
CMD_AIDE JSR    FINLIGNE
        LDX     #M_AIDE
        JMP     ECRTXT

*****************************************************************
*
* Ecrire en memoire : RAM, registres, EEPROM
*
*****************************************************************

*****************************************************************
* GENRE -- la sorte de memoire a l'adresse X, dans B (G_RAM a
* G_MON), d'apres la carte du reset (INIT = $01, ROMON et EEON mis).
* Garde A et X.
*****************************************************************
GENRE   CPX     #REGS
        BLO     GEN_RAM
        CPX     #REGS+$40
        BLO     GEN_REG
        CPX     #EEPROM
        BLO     GEN_RAM
        CPX     #EEPFIN
        BLO     GEN_EEP
        CPX     #ZONE
        BLO     GEN_RAM
        CPX     #PSEUDO
        BLO     GEN_MON
        CPX     #PV_FIN
        BLO     GEN_RAM         les pseudo-vecteurs sont a l'utilisateur
        CPX     #ROM
        BLO     GEN_MON
        LDAB    #G_ROM
        RTS
GEN_RAM LDAB    #G_RAM
        RTS
GEN_REG LDAB    #G_REG
        RTS
GEN_EEP LDAB    #G_EEP
        RTS
GEN_MON LDAB    #G_MON
        RTS

*****************************************************************
* ECRIT -- ecrit A a l'adresse X comme il convient : la RAM est
* relue, un registre est ecrit tel quel, l'EEPROM est effacee et
* programmee (ECR_EEP), la ROM et la RAM du moniteur sont refusees.
* Sortie : C = 0 si l'octet y est ; C = 1 sinon, B = la sorte de
* memoire. Garde A, X et Y.
*****************************************************************
ECRIT   BSR     GENRE
        CMPB    #G_RAM
        BEQ     ECR_RAM
        CMPB    #G_REG
        BEQ     ECR_REG
        CMPB    #G_EEP
        BEQ     ECR_E
        SEC                     ROM, moniteur
        RTS
ECR_REG STAA    0,X
        CLC
        RTS
ECR_E   BSR     ECR_EEP
        BRA     ECR_V
ECR_RAM STAA    0,X
ECR_V   CMPA    0,X             relire
        BNE     ECR_F
        CLC
        RTS
ECR_F   SEC
        RTS

*****************************************************************
* ECR_EEP -- ecrit A dans l'EEPROM a l'adresse X
*
* Programmer ne fait que passer des bits de 1 a 0 : si un bit de A
* vaut 1 la ou l'octet a un 0, l'octet est d'abord efface (il vaut
* alors $FF). Chaque etape, comme le decrivent les donnees
* techniques :
*   PPROG = EELAT (+ BYTE + ERASE pour effacer)
*   ecrire l'octet a son adresse (la donnee est gardee)
*   PPROG = le meme + EPGM : la tension de programmation
*   attendre 10 ms
*   PPROG = 0
* Tant que EELAT vaut 1 l'EEPROM ne se lit pas : ce programme est
* en ROM. Garde A, B et X.
*****************************************************************
ECR_EEP CMPA    0,X
        BEQ     EEP3            deja la
        PSHB
        STAA    EE_NEUF
        LDAB    0,X
        ANDB    EE_NEUF
        CMPB    EE_NEUF
        BEQ     EEP1            rien a effacer
        LDAB    #EE_EFF         effacer l'octet
        BSR     EEP_PAS
EEP1    CMPA    #$FF
        BEQ     EEP2            efface, c'est fini
        LDAB    #EE_PRG         programmer l'octet
        BSR     EEP_PAS
EEP2    PULB
EEP3    RTS

* EEP_PAS -- une etape : B = PPROG sans EPGM, A = la donnee, X =
* l'adresse. Garde A et X.
EEP_PAS STAB    REGS+PPROG      EELAT : la donnee sera gardee
        STAA    0,X
        ORAB    #EPGM
        STAB    REGS+PPROG      la tension de programmation
        BSR     ATT10MS
        CLR     REGS+PPROG
        RTS

*****************************************************************
* ATT10MS -- attend 10 ms (20 000 cycles E) sur le compteur libre
* TCNT, sans toucher aux comparateurs du programme. La difference
* sur 16 bits reste juste tant que la boucle lit TCNT plus souvent
* que toutes les 32 ms. Garde A, B et X.
*****************************************************************
ATT10MS PSHA
        PSHB
        LDD     REGS+TCNT
        STD     T_DEBUT
AT1     LDD     REGS+TCNT
        SUBD    T_DEBUT
        CPD     #DIXMS
        BLO     AT1
        PULB
        PULA
        RTS

*****************************************************************
* ECHEC -- le message d'une ecriture refusee a l'adresse X, B etant
* la sorte de memoire (rendue par ECRIT). Detruit A, B.
*****************************************************************
ECHEC   PSHX
        PSHB
        LDX     #M_ECHEC
        JSR     ECRTXT
        TSX
        LDX     1,X             l'adresse
        XGDX
        JSR     ECRH4
        PULB
        LDX     #M_E_ROM
        CMPB    #G_ROM
        BEQ     ECH1
        LDX     #M_E_MON
        CMPB    #G_MON
        BEQ     ECH1
        LDX     #M_E_REG
        CMPB    #G_REG
        BEQ     ECH1
        LDX     #M_E_REL        RAM absente, EEPROM protegee...
ECH1    JSR     ECRTXT
        PULX
        RTS

*****************************************************************
*
* Le desassembleur
*
* Chaque code operation a, dans les tables PAGE0 (sans prefixe) et
* PAGE18, PAGE1A, PAGECD (apres un prefixe), le numero de son
* mnemonique dans MNEMOS et un octet qui donne son mode
* d'adressage (quartet haut) et le nombre de ses octets
* d'operande, masque et deplacement compris (quartet bas). La
* longueur de l'instruction en decoule : elle sert au desassembleur
* et a la trace. Les textes suivent ceux du desassembleur de
* tamrix : le mnemonique sur cinq caracteres, puis l'operande
* (#$12, $0a, $1234, $5,X, $5,Y, $fe pour un deplacement), puis
* les octets qui restent ($81 le masque, $10 le deplacement).
*
*****************************************************************
INH     EQU     $00             inherent
IMM     EQU     $10             immediat
DIR     EQU     $20             direct
EXT     EQU     $30             etendu
INDX    EQU     $40             indexe par X
INDY    EQU     $50             indexe par Y
REL     EQU     $60             relatif
NOS     EQU     $70             code inexistant
PRB     EQU     $80             prefixe de page

* Les numeros des mnemoniques (leur rang dans MNEMOS)
M_ILL   EQU     0
M_ABA   EQU     1
M_ABX   EQU     2
M_ABY   EQU     3
M_ADCA  EQU     4
M_ADCB  EQU     5
M_ADDA  EQU     6
M_ADDB  EQU     7
M_ADDD  EQU     8
M_ANDA  EQU     9
M_ANDB  EQU     10
M_ASL   EQU     11
M_ASLA  EQU     12
M_ASLB  EQU     13
M_ASR   EQU     14
M_ASRA  EQU     15
M_ASRB  EQU     16
M_BCC   EQU     17
M_BCLR  EQU     18
M_BCS   EQU     19
M_BEQ   EQU     20
M_BGE   EQU     21
M_BGT   EQU     22
M_BHI   EQU     23
M_BITA  EQU     24
M_BITB  EQU     25
M_BLE   EQU     26
M_BLS   EQU     27
M_BLT   EQU     28
M_BMI   EQU     29
M_BNE   EQU     30
M_BPL   EQU     31
M_BRA   EQU     32
M_BRCLR EQU     33
M_BRN   EQU     34
M_BRSET EQU     35
M_BSET  EQU     36
M_BSR   EQU     37
M_BVC   EQU     38
M_BVS   EQU     39
M_CBA   EQU     40
M_CLC   EQU     41
M_CLI   EQU     42
M_CLR   EQU     43
M_CLRA  EQU     44
M_CLRB  EQU     45
M_CLV   EQU     46
M_CMPA  EQU     47
M_CMPB  EQU     48
M_COM   EQU     49
M_COMA  EQU     50
M_COMB  EQU     51
M_CPD   EQU     52
M_CPX   EQU     53
M_CPY   EQU     54
M_DAA   EQU     55
M_DEC   EQU     56
M_DECA  EQU     57
M_DECB  EQU     58
M_DES   EQU     59
M_DEX   EQU     60
M_DEY   EQU     61
M_EORA  EQU     62
M_EORB  EQU     63
M_FDIV  EQU     64
M_IDIV  EQU     65
M_INC   EQU     66
M_INCA  EQU     67
M_INCB  EQU     68
M_INS   EQU     69
M_INX   EQU     70
M_INY   EQU     71
M_JMP   EQU     72
M_JSR   EQU     73
M_LDAA  EQU     74
M_LDAB  EQU     75
M_LDD   EQU     76
M_LDS   EQU     77
M_LDX   EQU     78
M_LDY   EQU     79
M_LSLD  EQU     80
M_LSR   EQU     81
M_LSRA  EQU     82
M_LSRB  EQU     83
M_LSRD  EQU     84
M_MUL   EQU     85
M_NEG   EQU     86
M_NEGA  EQU     87
M_NEGB  EQU     88
M_NOP   EQU     89
M_ORAA  EQU     90
M_ORAB  EQU     91
M_PSHA  EQU     92
M_PSHB  EQU     93
M_PSHX  EQU     94
M_PSHY  EQU     95
M_PULA  EQU     96
M_PULB  EQU     97
M_PULX  EQU     98
M_PULY  EQU     99
M_ROL   EQU     100
M_ROLA  EQU     101
M_ROLB  EQU     102
M_ROR   EQU     103
M_RORA  EQU     104
M_RORB  EQU     105
M_RTI   EQU     106
M_RTS   EQU     107
M_SBA   EQU     108
M_SBCA  EQU     109
M_SBCB  EQU     110
M_SEC   EQU     111
M_SEI   EQU     112
M_SEV   EQU     113
M_STAA  EQU     114
M_STAB  EQU     115
M_STD   EQU     116
M_STOP  EQU     117
M_STS   EQU     118
M_STX   EQU     119
M_STY   EQU     120
M_SUBA  EQU     121
M_SUBB  EQU     122
M_SUBD  EQU     123
M_SWI   EQU     124
M_TAB   EQU     125
M_TAP   EQU     126
M_TBA   EQU     127
M_TPA   EQU     128
M_TST   EQU     129
M_TSTA  EQU     130
M_TSTB  EQU     131
M_TSX   EQU     132
M_TSY   EQU     133
M_TXS   EQU     134
M_TYS   EQU     135
M_WAI   EQU     136
M_XGDX  EQU     137
M_XGDY  EQU     138

*****************************************************************
* DECODE -- l'instruction a l'adresse X : remplit D_ADR, D_PAGE,
* D_OP, D_MN, D_MODE, D_NB, D_OPR et D_SUIV. Detruit A, B, X, Y.
*****************************************************************
DECODE  STX     D_ADR
        LDAA    0,X
        CMPA    #$18
        BEQ     DEC2
        CMPA    #$1A
        BEQ     DEC2
        CMPA    #$CD
        BEQ     DEC2
        CLR     D_PAGE          sans prefixe
        STAA    D_OP
        INX
        STX     D_OPR
        TAB
        CLRA
        LSLD                    deux octets par code
        ADDD    #PAGE0
        XGDY
        LDAA    0,Y
        STAA    D_MN
        LDAA    1,Y
        BRA     DEC5
DEC2    STAA    D_PAGE          un prefixe
        LDAB    1,X
        STAB    D_OP
        INX
        INX
        STX     D_OPR
        LDY     #PAGE18
        CMPA    #$18
        BEQ     DEC3
        LDY     #PAGE1A
        CMPA    #$1A
        BEQ     DEC3
        LDY     #PAGECD
DEC3    LDAA    0,Y             chercher le code dans la liste
        BEQ     DEC4            fin : inexistant
        CMPA    D_OP
        BEQ     DEC4
        INY
        INY
        INY
        BRA     DEC3
DEC4    LDAA    1,Y
        STAA    D_MN
        LDAA    2,Y
DEC5    TAB
        ANDB    #$0F
        STAB    D_NB
        ANDA    #$F0
        STAA    D_MODE
        LDD     D_OPR
        ADDB    D_NB
        ADCA    #0
        STD     D_SUIV
        RTS

*****************************************************************
* Le texte en construction dans TXBUF
* TXRAZ -- le vide ; TXCAR -- ajoute A ; TXH1, TXH2, TXH4 -- un
* chiffre, l'octet A, le mot D en hexadecimal ; TXHMIN -- le mot D
* en hexadecimal sans zeros en tete ; TXFIN -- le termine par NUL
* et rend sa longueur dans B. Gardent les autres registres.
*****************************************************************
TXRAZ   PSHX
        LDX     #TXBUF
        STX     TXPTR
        PULX
        RTS

TXCAR   PSHX
        LDX     TXPTR
        STAA    0,X
        INX
        STX     TXPTR
        PULX
        RTS

TXH1    PSHA
        JSR     NIBCAR
        BSR     TXCAR
        PULA
        RTS

TXH2    PSHA
        LSRA
        LSRA
        LSRA
        LSRA
        BSR     TXH1
        PULA
        BSR     TXH1
        RTS

TXH4    BSR     TXH2
        PSHA
        TBA
        BSR     TXH2
        PULA
        RTS

TXHMIN  PSHA
        PSHB
        TSTA
        BNE     TXM1
        TBA                     un octet : un ou deux chiffres
        CMPA    #$10
        BHS     TXM3
        BSR     TXH1
        BRA     TXM4
TXM1    CMPA    #$10            un mot : trois ou quatre chiffres
        BHS     TXM2
        BSR     TXH1
        BRA     TXM3A
TXM2    BSR     TXH2
TXM3A   TBA
TXM3    BSR     TXH2
TXM4    PULB
        PULA
        RTS

TXFIN   PSHX
        PSHA
        LDX     TXPTR
        CLR     0,X
        LDD     TXPTR
        SUBD    #TXBUF
        PULA
        PULX
        RTS

* TXDOL -- ajoute "$" ; TXOCT -- ajoute "$" et l'octet en X, sans
* zeros en tete. Gardent A, B, X.
TXDOL   PSHA
        LDAA    #'$
        BSR     TXCAR
        PULA
        RTS
TXOCT   PSHA
        PSHB
        BSR     TXDOL
        LDAB    0,X
        CLRA
        BSR     TXHMIN
        PULB
        PULA
        RTS

*****************************************************************
* TEXTINS -- le texte de l'instruction decodee dans TXBUF ; sa
* longueur dans B. Detruit A, X.
*****************************************************************
TEXTINS JSR     TXRAZ
        LDAA    D_MN            le mnemonique : 5 caracteres
        LDAB    #5
        MUL
        ADDD    #MNEMOS
        XGDX
        LDAB    #5
TI1     LDAA    0,X
        JSR     TXCAR
        INX
        DECB
        BNE     TI1
        LDAB    D_NB
        BNE     TI_OP
        JMP     TXFIN           pas d'operande
TI_OP   LDX     D_OPR
        LDAA    D_MODE
        CMPA    #IMM
        BNE     TI3
        LDAA    #'#             immediat : #$12 ou #$1234
        JSR     TXCAR
        JSR     TXDOL
        LDAB    D_NB
        CMPB    #2
        BHS     TI2
        LDAB    0,X
        CLRA
        JSR     TXHMIN
        BRA     TI_FIN
TI2     LDD     0,X
        JSR     TXHMIN
        BRA     TI_FIN
TI3     CMPA    #DIR
        BNE     TI4
        JSR     TXDOL           direct : $0a
        LDAA    0,X
        JSR     TXH2
        LDAB    #1
        BRA     TI_RES
TI4     CMPA    #EXT
        BNE     TI5
        JSR     TXDOL           etendu : $1234
        LDD     0,X
        JSR     TXH4
        LDAB    #2
        BRA     TI_RES
TI5     CMPA    #INDX
        BEQ     TI6
        CMPA    #INDY
        BNE     TI7
TI6     JSR     TXOCT           indexe : $5,X ou $5,Y
        LDAA    #',
        JSR     TXCAR
        LDAA    #'X
        LDAB    D_MODE
        CMPB    #INDX
        BEQ     TI6A
        LDAA    #'Y
TI6A    JSR     TXCAR
        LDAB    #1
        BRA     TI_RES
TI7     CMPA    #REL
        BNE     TI_FIN          inherent, inexistant : rien
        JSR     TXOCT           relatif : le deplacement $fe
        LDAB    #1
* Les octets qui restent (masque, deplacement) : B = octets deja
* ecrits
TI_RES  CMPB    D_NB
        BHS     TI_FIN
        LDX     D_OPR
        ABX
        JSR     TXOCT
        INCB
        BRA     TI_RES
TI_FIN  JMP     TXFIN

*****************************************************************
* CIBLE -- pour une instruction decodee qui branche sur un
* deplacement (BRA a BLE, BSR, BRSET, BRCLR) : C = 0 et D =
* l'adresse du branchement (le deplacement, dernier octet, compte
* depuis l'instruction suivante). C = 1 pour les autres.
* Garde X.
*****************************************************************
CIBLE   LDAA    D_MODE
        CMPA    #REL
        BEQ     CIB2
        LDAA    D_MN
        CMPA    #M_BRSET
        BEQ     CIB2
        CMPA    #M_BRCLR
        BEQ     CIB2
        SEC
        RTS
CIB2    PSHX
        LDX     D_SUIV
        DEX
        LDAB    0,X             le deplacement, signe
        CLRA
        TSTB
        BPL     CIB3
        COMA
CIB3    ADDD    D_SUIV
        PULX
        CLC
        RTS

*****************************************************************
* DEBLIGNE -- le debut d'une ligne pour l'instruction decodee :
* l'adresse, deux espaces, ses octets sur 14 colonnes, deux espaces
* (comme les lignes de trace de tamrix-run). Detruit A, B, X.
*****************************************************************
DEBLIGNE LDD    D_ADR
        JSR     ECRH4
        JSR     ESP2
        LDX     D_ADR
        LDAA    D_SUIV+1
        SUBA    D_ADR+1
        STAA    NB_OCT          octets de l'instruction
        LDAB    #14             colonnes a remplir
DL1     LDAA    0,X
        JSR     ECRH2
        INX
        SUBB    #2
        DEC     NB_OCT
        BEQ     DL2
        JSR     ECRESP
        DECB
        BRA     DL1
DL2     JSR     ESPN
        JMP     ESP2

*****************************************************************
* ECRTXB -- envoie TXBUF ; ECRTXP -- l'envoie complete par des
* espaces jusqu'a A colonnes. Detruisent A, B, X.
*****************************************************************
ECRTXB  LDX     #TXBUF
        JMP     ECRTXT
ECRTXP  PSHA
        JSR     TXFIN
        PULA
        SBA
        PSHA
        BSR     ECRTXB
        PULB
        JMP     ESPN

*****************************************************************
*
* Les commandes sur la memoire
*
*****************************************************************

* Les erreurs communes
ERR_ORD LDX     #M_ORDRE
        JMP     ERREUR

*****************************************************************
* CMD_MD -- MD adr [fin] : 16 octets par ligne, en hexadecimal puis
* en caracteres (un point pour ce qui ne s'imprime pas). Sans fin,
* 128 octets. Les lignes commencent a un multiple de 16 ; Echap
* arrete l'affichage.
* Lire un registre peut avoir un effet (SCSR puis SCDR efface
* RDRF) : l'affichage lit chaque adresse une fois, comme le CPU.
*****************************************************************
CMD_MD  JSR     ARGADR
        STD     ADR1
        JSR     LITHEX
        BCC     MD1
        LDD     ADR1            sans fin : 128 octets
        ADDD    #$7F
        BCC     MD1
        LDD     #$FFFF
MD1     STD     ADR2
        JSR     FINLIGNE
        LDD     ADR2
        CPD     ADR1
        BHS     MD_OK
        JMP     ERR_ORD
MD_OK   LDD     ADR1
        ANDB    #$F0
        STD     ADR3            le debut de la ligne
MD2     BSR     LIGNEMD
        LDD     ADR3
        ADDD    #16
        BCS     MD3             au-dela de $FFFF
        STD     ADR3
        CPD     ADR2
        BHI     MD3
        JSR     ARRET
        BCC     MD2
MD3     RTS

* LIGNEMD -- la ligne de 16 octets a ADR3
LIGNEMD LDD     ADR3
        JSR     ECRH4
        JSR     ESP2
        LDX     ADR3
        LDAB    #16
LM1     LDAA    0,X
        JSR     ECRH2
        JSR     ECRESP
        INX
        DECB
        BNE     LM1
        JSR     ECRESP
        LDX     ADR3
        LDAB    #16
LM2     LDAA    0,X
        CMPA    #ESPACE
        BLO     LM3
        CMPA    #'~
        BLS     LM4
LM3     LDAA    #'.
LM4     JSR     ECRCAR
        INX
        DECB
        BNE     LM2
        JMP     CRLF

*****************************************************************
* CMD_MM -- MM adr : pour chaque octet, son adresse et sa valeur ;
* l'utilisateur tape
*   une valeur, Entree : elle est ecrite, octet suivant
*   Entree seul       : octet suivant
*   ^                 : octet precedent
*   .                 : fin
* L'EEPROM est effacee et programmee (ECR_EEP) ; la ROM et la RAM
* du moniteur sont refusees avec un message, l'adresse reste la
* meme.
*****************************************************************
CMD_MM  JSR     ARGADR
        STD     ADR1
        JSR     FINLIGNE
MM1     LDD     ADR1
        JSR     ECRH4
        JSR     ECRESP
        LDX     ADR1
        LDAA    0,X
        JSR     ECRH2
        JSR     ECRESP
        JSR     LITLIGNE
        JSR     BLANCS
        BEQ     MM_SUIV
        CMPA    #'.
        BEQ     MM_FIN
        CMPA    #'^
        BEQ     MM_PREC
        JSR     LITNB
        BCS     MM_MAUV
        TSTA
        BNE     MM_GRD
        JSR     BLANCS
        BNE     MM_MAUV         autre chose apres la valeur
        LDAA    VALEUR+1
        LDX     ADR1
        JSR     ECRIT
        BCC     MM_SUIV
        JSR     ECHEC
        JSR     CRLF
        BRA     MM1
MM_SUIV LDX     ADR1
        INX
        STX     ADR1
        BRA     MM1
MM_PREC LDX     ADR1
        DEX
        STX     ADR1
        BRA     MM1
MM_MAUV LDX     #M_NOMBRE
        BRA     MM2
MM_GRD  LDX     #M_OCTET
MM2     JSR     ECRTXT
        JSR     CRLF
        BRA     MM1
MM_FIN  RTS

*****************************************************************
* CMD_BF -- BF debut fin valeur : remplit debut..fin (inclus).
* S'arrete a la premiere ecriture refusee.
*****************************************************************
CMD_BF  JSR     ARGADR
        STD     ADR1
        JSR     ARGADR
        STD     ADR2
        JSR     ARGOCT
        STAB    VALEUR
        JSR     FINLIGNE
        LDD     ADR2
        CPD     ADR1
        BHS     BF_OK
        JMP     ERR_ORD
BF_OK   LDX     ADR1
BF1     LDAA    VALEUR
        JSR     ECRIT
        BCS     BF3
        CPX     ADR2
        BEQ     BF2
        INX
        BRA     BF1
BF2     RTS
BF3     JSR     ECHEC
        JMP     CRLF

*****************************************************************
* CMD_MOVE -- MOVE debut fin dest : copie debut..fin a dest. Quand
* les deux zones se recouvrent et que dest est plus haut, la copie
* part de la fin, pour ne pas ecraser ce qui reste a copier.
*****************************************************************
CMD_MOVE JSR    ARGADR
        STD     ADR1
        JSR     ARGADR
        STD     ADR2
        JSR     ARGADR
        STD     ADR3
        JSR     FINLIGNE
        LDD     ADR2
        SUBD    ADR1
        BCC     MV_OK
        JMP     ERR_ORD
MV_OK   STD     COMPTE          octets - 1
        ADDD    ADR3
        BCS     MV_DEP          la destination passerait $FFFF
        LDD     ADR3
        CPD     ADR1
        BLS     MVV1            dest en dessous : vers le haut
        CPD     ADR2
        BHI     MVV1            pas de recouvrement
        ADDD    COMPTE          en partant de la fin
        STD     ADR3
        LDD     ADR2
        STD     ADR1
MVA1    LDX     ADR1
        LDAA    0,X
        LDX     ADR3
        JSR     ECRIT
        BCS     MV_ECH
        LDD     COMPTE
        BEQ     MV_FIN
        SUBD    #1
        STD     COMPTE
        LDX     ADR1
        DEX
        STX     ADR1
        LDX     ADR3
        DEX
        STX     ADR3
        BRA     MVA1
MVV1    LDX     ADR1
        LDAA    0,X
        LDX     ADR3
        JSR     ECRIT
        BCS     MV_ECH
        LDD     COMPTE
        BEQ     MV_FIN
        SUBD    #1
        STD     COMPTE
        LDX     ADR1
        INX
        STX     ADR1
        LDX     ADR3
        INX
        STX     ADR3
        BRA     MVV1
MV_FIN  RTS
MV_ECH  JSR     ECHEC
        JMP     CRLF
MV_DEP  LDX     #M_DEPAS
        JMP     ERREUR

*****************************************************************
* CMD_DASM -- DASM adr [n] (ou ASM) : n instructions (16 sans n),
* une ligne chacune : l'adresse, les octets, le texte ; un
* branchement y ajoute son adresse d'arrivee ("  -> b606"). Echap
* arrete.
*****************************************************************
CMD_DASM JSR    ARGADR
        STD     ADR1
        JSR     LITHEX
        BCC     DA1
        LDD     #16
DA1     STD     COMPTE
        JSR     FINLIGNE
        LDD     COMPTE
        BEQ     DA4
DA2     LDX     ADR1
        JSR     DECODE
        JSR     DEBLIGNE
        JSR     TEXTINS
        JSR     ECRTXB
        JSR     CIBLE
        BCS     DA3
        PSHB
        PSHA
        LDX     #M_FLECHE
        JSR     ECRTXT
        PULA
        PULB
        JSR     ECRH4
DA3     JSR     CRLF
        LDD     D_SUIV
        STD     ADR1
        LDD     COMPTE
        SUBD    #1
        STD     COMPTE
        BEQ     DA4
        JSR     ARRET
        BCC     DA2
DA4     RTS

*****************************************************************
*
* Les registres du programme
*
*****************************************************************

*****************************************************************
* ECRREGS -- les registres du programme sur une ligne, comme les
* lignes de tamrix-run :
*   PC=b600 A=00 B=00 X=0000 Y=0000 SP=01ff CCR=11010000
* (le CCR bit par bit : S X H I N Z V C). LIGREGS -- la meme, puis
* la ligne suivante. Detruisent A, B, X.
*****************************************************************
LIGREGS BSR     ECRREGS
        JMP     CRLF
ECRREGS LDX     #M_PC
        JSR     ECRTXT
        LDD     R_P
        JSR     ECRH4
        JSR     ECRTXT          " A="
        LDAA    R_A
        JSR     ECRH2
        JSR     ECRTXT          " B="
        LDAA    R_B
        JSR     ECRH2
        JSR     ECRTXT          " X="
        LDD     R_X
        JSR     ECRH4
        JSR     ECRTXT          " Y="
        LDD     R_Y
        JSR     ECRH4
        JSR     ECRTXT          " SP="
        LDD     R_S
        JSR     ECRH4
        JSR     ECRTXT          " CCR="
        LDAB    R_C
        LDAA    #8
        STAA    NB_BITS
ER1     LDAA    #'0
        LSLB
        BCC     ER2
        LDAA    #'1
ER2     JSR     ECRCAR
        DEC     NB_BITS
        BNE     ER1
        RTS

*****************************************************************
* CMD_RM -- RM : les registres, puis chacun a son tour (P, Y, X, A,
* B, C, S) : une valeur et Entree le change, Entree seul le garde,
* . termine. RM reg valeur (RM X 1234, RM PC B600) en change un
* directement.
*****************************************************************
CMD_RM  JSR     BLANCS
        BNE     RM_DIR
        BSR     LIGREGS
        LDY     #RM_ORDRE
RM1     LDAA    0,Y
        BEQ     RM_FIN
        STY     RM_REG
        JSR     ECRCAR          le nom
        LDAA    #'=
        JSR     ECRCAR
        LDX     1,Y
        BSR     ECRREG          la valeur
        JSR     ECRESP
        JSR     LITLIGNE
        JSR     BLANCS
        BEQ     RM_SUIV
        CMPA    #'.
        BEQ     RM_FIN
        JSR     LITNB
        BCS     RM_MAUV
        JSR     BLANCS
        BNE     RM_MAUV
        LDY     RM_REG
        LDX     1,Y
        BSR     POSEREG
        BCS     RM_GRD
RM_SUIV LDY     RM_REG
        INY
        INY
        INY
        BRA     RM1
RM_MAUV LDX     #M_NOMBRE
        BRA     RM2
RM_GRD  LDX     #M_OCTET
RM2     JSR     ECRTXT
        JSR     CRLF
        LDY     RM_REG
        BRA     RM1
RM_FIN  JMP     LIGREGS
RM_DIR  LDY     #REGTAB         RM reg valeur
        JSR     CHERCHE
        BCS     RM_INC
        PSHB
        PSHA
        JSR     LITHEX
        BCS     RM_SANS
        JSR     FINLIGNE
        PULX                    la variable du registre
        BSR     POSEREG
        BCS     RM_DGRD
        JMP     LIGREGS
RM_INC  LDX     #M_REG
        JMP     ERREUR
RM_SANS LDX     #M_VAL
        JMP     ERREUR
RM_DGRD LDX     #M_OCTET
        JMP     ERREUR

* ECRREG -- la valeur du registre dont la variable est en X (A, B et
* C sur un octet, les autres sur deux). Detruit A, B.
ECRREG  CPX     #R_X
        BHS     ERG1
        LDAA    0,X
        JMP     ECRH2
ERG1    LDD     0,X
        JMP     ECRH4

* POSEREG -- VALEUR dans le registre dont la variable est en X ;
* C = 1 si elle ne tient pas sur un octet pour A, B ou C.
POSEREG LDD     VALEUR
        CPX     #R_X
        BHS     PRG1
        TSTA
        BNE     PRG2
        STAB    0,X
        CLC
        RTS
PRG1    STD     0,X
        CLC
        RTS
PRG2    SEC
        RTS

* L'ordre de RM, et les noms de RM reg valeur
RM_ORDRE FCB    'P
        FDB     R_P
        FCB     'Y
        FDB     R_Y
        FCB     'X
        FDB     R_X
        FCB     'A
        FDB     R_A
        FCB     'B
        FDB     R_B
        FCB     'C
        FDB     R_C
        FCB     'S
        FDB     R_S
        FCB     0

REGTAB  FCC     'PC'
        FCB     NUL
        FDB     R_P
        FCC     'P'
        FCB     NUL
        FDB     R_P
        FCC     'Y'
        FCB     NUL
        FDB     R_Y
        FCC     'X'
        FCB     NUL
        FDB     R_X
        FCC     'A'
        FCB     NUL
        FDB     R_A
        FCC     'B'
        FCB     NUL
        FDB     R_B
        FCC     'CCR'
        FCB     NUL
        FDB     R_C
        FCC     'C'
        FCB     NUL
        FDB     R_C
        FCC     'SP'
        FCB     NUL
        FDB     R_S
        FCC     'S'
        FCB     NUL
        FDB     R_S
        FCB     $FF

*****************************************************************
*
* Lancer le programme, l'arreter, le suivre
*
* Le moniteur rend la main au programme par un RTI : il empile les
* registres R_C a R_P sur la pile du programme (R_S), comme le
* ferait une interruption, et le RTI les reprend. Le programme
* revient au moniteur par une interruption : SWI (un point d'arret,
* la fin d'un pas de trace, le retour d'un CALL, ou un SWI du
* programme), un code inexistant, Echap, ou une interruption sans
* programme. ENTREE reprend alors ses registres sur sa pile.
*
* Points d'arret et trace posent un SWI ($3F) a la place du premier
* octet d'une instruction (en RAM, ou en EEPROM par effacement et
* programmation) et remettent l'octet d'origine des que le moniteur
* reprend la main (ENLEVE).
*
*****************************************************************

*****************************************************************
* CMD_G -- G [adr] : lance le programme a adr (ou a son PC)
*****************************************************************
CMD_G   LDD     R_P
        STD     ADR1
        JSR     LITHEX
        BCS     G1
        STD     ADR1
G1      JSR     FINLIGNE
        LDD     ADR1
        STD     R_P
        LDAA    #M_G
        BRA     LANCE

*****************************************************************
* CMD_CALL -- CALL adr : empile l'adresse de RET_CALL sur la pile
* du programme, comme un JSR, et lance adr ; le RTS du
* sous-programme mene au SWI de RET_CALL. Le PC d'avant est rendu.
*****************************************************************
CMD_CALL JSR    ARGADR
        STD     ADR1
        JSR     FINLIGNE
        JSR     PILE_OK
        BCC     CALL1
        JMP     REP_PIL
CALL1   LDX     R_S
        DEX
        DEX
        LDD     #RET_CALL       l'adresse de retour, poids fort en
        STD     1,X             premier, comme JSR
        STX     R_S
        LDD     R_P
        STD     CALL_P
        LDD     ADR1
        STD     R_P
        LDAA    #1
        STAA    CALL_A
        LDAA    #M_CALL
        BRA     LANCE

* Le retour d'un CALL : le RTS du sous-programme arrive ici
RET_CALL SWI

*****************************************************************
* LANCE -- rend la main au programme, points d'arret poses (A = le
* mode, M_G ou M_CALL). Si le PC est sur un point d'arret, une
* instruction est d'abord executee seule (M_PASBR), sinon le
* programme s'arreterait aussitot.
*****************************************************************
LANCE   STAA    MODE2
        LDX     R_P
        BSR     EST_BR
        BCC     LAN1
        LDAA    #M_PASBR
        STAA    MODE
        JSR     POSE_PAS
        BRA     REPREND
LAN1    BSR     POSE_BR
        LDAA    MODE2
        STAA    MODE
        BRA     REPREND

* EST_BR -- C = 1 si X est un point d'arret. Garde X.
EST_BR  LDY     #T_BR
        LDAB    N_BR
EB1     TSTB
        BEQ     EB2
        CPX     0,Y
        BEQ     EB3
        INY
        INY
        DECB
        BRA     EB1
EB2     CLC
        RTS
EB3     SEC
        RTS

* POSE_BR -- un SWI a chaque point d'arret
POSE_BR LDY     #T_BR
        LDAB    N_BR
PB1     TSTB
        BEQ     PB2
        PSHB
        PSHY
        LDX     0,Y
        JSR     POSE_ER
        PULY
        PULB
        INY
        INY
        DECB
        BRA     PB1
PB2     RTS

*****************************************************************
* REPREND -- rend la main au programme avec ses registres
*****************************************************************
REPREND BSR     PILE_OK
        BCS     REP_PIL
        SEI                     plus d'interruption jusqu'au RTI
        CLR     EN_MON          le SCI passe au pseudo-vecteur
        LDS     R_S
        LDX     R_P
        PSHX
        LDX     R_Y
        PSHX
        LDX     R_X
        PSHX
        LDAA    R_A
        PSHA
        LDAA    R_B
        PSHA
        LDAA    R_C
        PSHA
        RTI
REP_PIL JSR     ENLEVE
        CLR     MODE
        LDX     #M_PILE
        LDD     R_S
        JMP     ERRADR

* PILE_OK -- C = 0 si la pile du programme a la place d'empiler ses
* registres en RAM (de R_S-10 a R_S)
PILE_OK LDX     R_S
        JSR     GENRE
        CMPB    #G_RAM
        BNE     PK1
        LDD     R_S
        SUBD    #10
        BCS     PK1
        XGDX
        JSR     GENRE
        CMPB    #G_RAM
        BNE     PK1
        CLC
        RTS
PK1     SEC
        RTS

*****************************************************************
* POSE -- pose un SWI a l'adresse X (une fois : une adresse deja
* prise est laissee). C = 1 si c'est impossible (ROM, registres,
* RAM du moniteur, memoire qui ne se relit pas). Garde X.
*****************************************************************
POSE    JSR     GENRE
        CMPB    #G_RAM
        BEQ     PO1
        CMPB    #G_EEP
        BNE     PO5
PO1     LDY     #T_PAT
        LDAB    N_PAT
PO2     TSTB
        BEQ     PO3
        CPX     0,Y
        BEQ     PO4             deja pose
        INY
        INY
        INY
        DECB
        BRA     PO2
PO3     LDAB    N_PAT
        CMPB    #NB_PAT
        BHS     PO5
        STX     0,Y             l'adresse et l'octet d'origine
        LDAA    0,X
        STAA    2,Y
        LDAA    #OP_SWI
        JSR     ECRIT
        BCS     PO5
        INC     N_PAT
PO4     CLC
        RTS
PO5     SEC
        RTS

* POSE_ER -- POSE, et si c'est impossible : les SWI deja poses sont
* enleves, le message dit ou, retour a l'invite
POSE_ER BSR     POSE
        BCS     POE1
        RTS
POE1    PSHX
        BSR     ENLEVE
        CLR     MODE
        PULX
        JSR     GENRE
        JSR     ECHEC
        JSR     CRLF
        JMP     PRINCIPAL

*****************************************************************
* ENLEVE -- remet l'octet d'origine a la place de chaque SWI pose.
* TROUVE dit si l'un d'eux etait a P_SWI = R_P - 1 : le SWI qui
* vient d'arreter le programme (son PC empile le suit).
*****************************************************************
ENLEVE  CLR     TROUVE
        LDD     R_P
        SUBD    #1
        STD     P_SWI
        LDY     #T_PAT
        LDAB    N_PAT
EN1     TSTB
        BEQ     EN3
        PSHB
        LDX     0,Y
        LDAA    2,Y
        JSR     ECRIT
        CPX     P_SWI
        BNE     EN2
        INC     TROUVE
EN2     INY
        INY
        INY
        PULB
        DECB
        BRA     EN1
EN3     CLR     N_PAT
        RTS

*****************************************************************
* CMD_BR -- BR : la liste des points d'arret ; BR adr... en ajoute
* (6 au plus) ; BR - les efface tous. Pas de point d'arret en ROM,
* dans les registres ni dans la RAM du moniteur.
*****************************************************************
CMD_BR  JSR     BLANCS
        BEQ     BR_LIS
        CMPA    #'-
        BNE     BR1
        INX
        STX     L_PTR
        JSR     FINLIGNE
        CLR     N_BR
        BRA     BR_LIS
BR1     JSR     LITHEX
        BCS     BR_LIS
        XGDX
        JSR     GENRE
        CMPB    #G_RAM
        BEQ     BR2
        CMPB    #G_EEP
        BNE     BR_ROM
BR2     JSR     EST_BR
        BCS     BR1             deja la
        LDAB    N_BR
        CMPB    #NB_BR
        BHS     BR_PLN
        LDY     #T_BR
        ABY
        ABY
        STX     0,Y
        INC     N_BR
        BRA     BR1
BR_LIS  LDX     #M_BRLIS
        JSR     ECRTXT
        LDAB    N_BR
        BNE     BR3
        LDX     #M_NEANT
        JSR     ECRTXT
        JMP     CRLF
BR3     STAB    NB_OCT
        LDY     #T_BR
BR4     JSR     ECRESP
        LDD     0,Y
        JSR     ECRH4
        INY
        INY
        DEC     NB_OCT
        BNE     BR4
        JMP     CRLF
BR_ROM  XGDX
        LDX     #M_BRROM
        JMP     ERRADR
BR_PLN  LDX     #M_BRPLN
        JMP     ERREUR

*****************************************************************
* CMD_T -- T [n] : execute n instructions (1 sans n) une par une et
* ecrit apres chacune une ligne comme celles de tamrix-run --trace :
*   b603  ce 10 00        LDX  #$1000       PC=b606 A=00 ...
* Echap arrete. Chaque pas pose un SWI apres l'instruction (ou a
* son arrivee : branchement, saut, appel, retour).
*****************************************************************
CMD_T   JSR     LITHEX
        BCC     T1
        LDD     #1
T1      STD     T_RESTE
        JSR     FINLIGNE
        LDD     T_RESTE
        BNE     T2
        RTS
T2      BSR     POSE_PAS
        LDAA    #M_TRACE
        STAA    MODE
        JMP     REPREND

*****************************************************************
* POSE_PAS -- pose les SWI qui arreteront le programme apres
* l'instruction a R_P, d'apres son code :
*   BRA, BSR                  a l'arrivee
*   BRN                       a la suite
*   BHI a BLE, BRSET, BRCLR   a la suite et a l'arrivee
*   JMP, JSR                  a l'adresse (etendu, direct, n,X, n,Y
*                             avec le X ou le Y du programme)
*   RTS                       a l'adresse de retour sur la pile
*   RTI                       au PC empile (9 octets plus haut)
*   les autres                a la suite (la longueur de la table)
* Une instruction qui revient sur elle-meme (BRA *, BRCLR ... *) ne
* pose pas de SWI sur elle-meme : une boucle d'attente tourne
* jusqu'a sa sortie, un saut sur soi-meme arrete la trace.
*****************************************************************
POSE_PAS LDX    R_P
        STX     T_PC
        JSR     DECODE
        LDAA    D_PAGE
        BEQ     PP0
        CMPA    #$18
        BNE     PP_SUIT         pages $1A et $CD : rien ne branche
        LDAA    D_OP
        CMPA    #$1E            BRSET n,Y
        BEQ     PP_COND
        CMPA    #$1F            BRCLR n,Y
        BEQ     PP_COND
        CMPA    #$6E            JMP n,Y
        BEQ     PP_IY
        CMPA    #$AD            JSR n,Y
        BEQ     PP_IY
        BRA     PP_SUIT
PP0     LDAA    D_OP
        CMPA    #$20            BRA
        BEQ     PP_TOUJ
        CMPA    #$8D            BSR
        BEQ     PP_TOUJ
        CMPA    #$21            BRN
        BEQ     PP_SUIT
        CMPA    #$22
        BLO     PP1
        CMPA    #$2F
        BLS     PP_COND         BHI a BLE
PP1     CMPA    #$12            BRSET direct
        BEQ     PP_COND
        CMPA    #$13            BRCLR direct
        BEQ     PP_COND
        CMPA    #$1E            BRSET n,X
        BEQ     PP_COND
        CMPA    #$1F            BRCLR n,X
        BEQ     PP_COND
        CMPA    #$6E            JMP n,X
        BEQ     PP_IX
        CMPA    #$AD            JSR n,X
        BEQ     PP_IX
        CMPA    #$7E            JMP etendu
        BEQ     PP_EXT
        CMPA    #$BD            JSR etendu
        BEQ     PP_EXT
        CMPA    #$9D            JSR direct
        BEQ     PP_DIR
        CMPA    #$39            RTS
        BEQ     PP_RTS
        CMPA    #$3B            RTI
        BEQ     PP_RTI
PP_SUIT LDX     D_SUIV
        JMP     POSE_ER
PP_COND JSR     CIBLE
        XGDX
        CPX     D_ADR
        BEQ     PP_SUIT         une attente sur elle-meme
        JSR     POSE_ER
        BRA     PP_SUIT
PP_TOUJ JSR     CIBLE
        XGDX
        BRA     PP_SAUT
PP_IX   LDX     D_OPR
        LDAB    0,X
        LDX     R_X
        ABX
        BRA     PP_SAUT
PP_IY   LDX     D_OPR
        LDAB    0,X
        LDX     R_Y
        ABX
        BRA     PP_SAUT
PP_EXT  LDX     D_OPR
        LDX     0,X
        BRA     PP_SAUT
PP_DIR  LDX     D_OPR
        LDAB    0,X
        CLRA
        XGDX
        BRA     PP_SAUT
PP_RTS  LDX     R_S
        LDX     1,X
        BRA     PP_SAUT
PP_RTI  LDX     R_S
        LDX     8,X
PP_SAUT CPX     D_ADR
        BEQ     PP_BOUC
        JMP     POSE_ER
PP_BOUC CLR     MODE
        LDX     #M_BOUCLE
        LDD     D_ADR
        JMP     ERRADR

*****************************************************************
* ENTREE -- le programme revient au moniteur par une interruption ;
* B = la raison (R_SWI, R_ILL, R_ESC, ou le rang d'une interruption
* sans programme). La pile est celle du programme, ses registres
* empiles au sommet.
*****************************************************************
IT_SWI  LDAB    #R_SWI
        BRA     ENTREE
IT_ILL  LDAB    #R_ILL
ENTREE  STAB    RAISON
        TSX                     X -> le CCR empile
        LDY     #R_C
        LDAB    #9
ENT1    LDAA    0,X             CCR, B, A, X, Y, PC
        STAA    0,Y
        INX
        INY
        DECB
        BNE     ENT1
        DEX                     la pile avant l'interruption
        STX     R_S
        LDS     #PILE
        LDAA    #1
        STAA    EN_MON
        JSR     INIT_SCI
        LDAB    RAISON
        CMPB    #R_SWI
        BHS     ENT2
        JSR     COUPE_IT        une interruption sans programme :
ENT2    CLI                     coupee avant d'autoriser les autres
        JSR     ENLEVE
        LDAB    RAISON
        CMPB    #R_SWI
        BEQ     ENT_SWI
        CMPB    #R_ILL
        BEQ     ENT_ILL
        CMPB    #R_ESC
        BEQ     ENT_ESC
        LDX     #M_IMP
        JSR     ECRTXT
        LDAB    RAISON
        JSR     ECRSRC
        LDX     #M_COUPE
        JSR     ECRTXT
        BRA     ENT_REG
ENT_ILL LDX     #M_INEX
        BRA     ENT_P
ENT_ESC LDX     #M_ESC
ENT_P   JSR     ECRTXT
        LDD     R_P
        JSR     ECRH4
        JSR     CRLF
ENT_REG CLR     MODE
        JSR     LIGREGS
        JMP     PRINCIPAL
ENT_SWI TST     TROUVE
        BEQ     ENT_S2
        LDD     P_SWI           un SWI du moniteur : le PC revient
        STD     R_P             sur l'instruction
        LDAA    MODE
        CMPA    #M_TRACE
        BEQ     FIN_PAS
        CMPA    #M_PASBR
        BEQ     ENT_S1
        LDX     #M_BR           un point d'arret
        BRA     ENT_P
ENT_S1  JSR     POSE_BR         le pas est fait : les points
        LDAA    MODE2           d'arret, et le programme continue
        STAA    MODE
        JMP     REPREND
ENT_S2  TST     CALL_A
        BEQ     ENT_S3
        LDD     R_P
        CPD     #RET_CALL+1
        BNE     ENT_S3
        CLR     CALL_A          le RTS du sous-programme
        LDD     CALL_P
        STD     R_P
        LDX     #M_RET
        JSR     ECRTXT
        BRA     ENT_REG
ENT_S3  LDX     #M_SWIP         un SWI du programme : son PC le suit
        JSR     ECRTXT
        LDD     P_SWI
        JSR     ECRH4
        JSR     CRLF
        BRA     ENT_REG

*****************************************************************
* FIN_PAS -- un pas de trace est fait : sa ligne, puis le suivant
*****************************************************************
FIN_PAS LDX     T_PC
        JSR     DECODE
        JSR     DEBLIGNE
        JSR     TEXTINS
        LDAA    #16
        JSR     ECRTXP
        JSR     ESP2
        JSR     LIGREGS
        LDD     T_RESTE
        SUBD    #1
        STD     T_RESTE
        BEQ     FP1
        JSR     ARRET
        BCS     FP1
        JSR     POSE_PAS
        JMP     REPREND
FP1     CLR     MODE
        JMP     PRINCIPAL

*****************************************************************
* Les interruptions sans programme : chaque pseudo-vecteur mene
* d'abord ici, avec le rang de sa source dans B
*****************************************************************
IMP_SPI LDAB    #1
        BRA     IMP_COM
IMP_PAI LDAB    #2
        BRA     IMP_COM
IMP_PAOV LDAB   #3
        BRA     IMP_COM
IMP_TOF LDAB    #4
        BRA     IMP_COM
IMP_OC5 LDAB    #5
        BRA     IMP_COM
IMP_OC4 LDAB    #6
        BRA     IMP_COM
IMP_OC3 LDAB    #7
        BRA     IMP_COM
IMP_OC2 LDAB    #8
        BRA     IMP_COM
IMP_OC1 LDAB    #9
        BRA     IMP_COM
IMP_IC3 LDAB    #10
        BRA     IMP_COM
IMP_IC2 LDAB    #11
        BRA     IMP_COM
IMP_IC1 LDAB    #12
        BRA     IMP_COM
IMP_RTI LDAB    #13
        BRA     IMP_COM
IMP_IRQ LDAB    #14
        BRA     IMP_COM
IMP_XIRQ LDAB   #15
* Pendant le programme : il s'arrete. Pendant le moniteur : les
* autorisations sont coupees et la prochaine invite le dit.
IMP_COM TST     EN_MON
        BNE     IMP1
        JMP     ENTREE
IMP1    INCB
        STAB    IMPREV
        BSR     COUPE_IT
        RTI

*****************************************************************
* COUPE_IT -- efface les autorisations d'interruption du timer
* (TMSK1, TMSK2 sauf le prediviseur) et du SPI (SPIE). IRQ et XIRQ
* sont des broches : rien ne les coupe.
*****************************************************************
COUPE_IT CLR    REGS+TMSK1
        LDAA    REGS+TMSK2
        ANDA    #$03
        STAA    REGS+TMSK2
        LDAA    REGS+SPCR
        ANDA    #$7F
        STAA    REGS+SPCR
        RTS

*****************************************************************
* ECRSRC -- le nom de la source de rang B et son pseudo-vecteur :
* "OC2 (pseudo-vecteur cc18)". Detruit A, B, X.
*****************************************************************
ECRSRC  PSHB
        LDAA    #5
        MUL
        ADDD    #SOURCES
        XGDX
        JSR     ECRTXT
        LDX     #M_PV
        JSR     ECRTXT
        PULB
        LDAA    #3
        MUL
        ADDD    #PSEUDO
        JSR     ECRH4
        LDAA    #')
        JMP     ECRCAR

SOURCES FCC     'SCI'
        FCB     0,0
        FCC     'SPI'
        FCB     0,0
        FCC     'PAI'
        FCB     0,0
        FCC     'PAOV'
        FCB     0
        FCC     'TOF'
        FCB     0,0
        FCC     'OC5'
        FCB     0,0
        FCC     'OC4'
        FCB     0,0
        FCC     'OC3'
        FCB     0,0
        FCC     'OC2'
        FCB     0,0
        FCC     'OC1'
        FCB     0,0
        FCC     'IC3'
        FCB     0,0
        FCC     'IC2'
        FCB     0,0
        FCC     'IC1'
        FCB     0,0
        FCC     'RTI'
        FCB     0,0
        FCC     'IRQ'
        FCB     0,0
        FCC     'XIRQ'
        FCB     0

*****************************************************************
*
* LOAD T -- charger un fichier S19 tape par le terminal
*
* Le terminal envoie le fichier tel quel ("Envoyer un fichier..."
* dans tamrix). Chaque enregistrement :
*   S1 nn aaaa dd...dd ss   nn = octets apres nn (adresse, donnees,
*                           somme) ; ss = complement a un de la
*                           somme de nn, aaaa et des donnees
*   S9 03 aaaa ss           la fin ; aaaa devient le PC du programme
*   S0, S5                  en-tete, nombre d'enregistrements :
*                           passes
* Les donnees d'un S1 ne sont ecrites que si sa somme est juste.
* Un enregistrement faux (somme, caractere qui n'est pas un
* chiffre, S2, S3, S7, S8) est compte et passe ; un octet pour la
* ROM ou la RAM du moniteur est compte et laisse. Entre deux
* enregistrements, tout ce qui n'est pas S est passe (CR, LF...).
*
* L'EEPROM prend 10 ms par octet, le terminal n'attend pas : ses
* octets sont gardes dans E_IMG pendant le chargement et programmes
* apres le S9. Echap abandonne (l'EEPROM n'est alors pas touchee).
*
*****************************************************************
CMD_LOAD JSR    BLANCS
        BEQ     LD1             LOAD seul : le terminal aussi
        JSR     MAJ
        CMPA    #'T
        BEQ     LD0
        JMP     LD_T
LD0     INX
        STX     L_PTR
LD1     JSR     FINLIGNE
        LDX     #M_LOAD
        JSR     ECRTXT
        LDD     #0
        STD     S_ENR
        STD     S_ERR
        STD     S_REF
        STD     S_DEP
        LDX     #E_MASQ         aucun octet pour l'EEPROM
LD2     CLR     0,X
        INX
        CPX     #E_MASQ+64
        BNE     LD2

* Attendre un enregistrement
LD_ATT  JSR     LITCAR
        CMPA    #ESC
        BEQ     LD_AB
        CMPA    #CTRLC
        BEQ     LD_AB
        CMPA    #'S
        BNE     LD_ATT
        JSR     LITCAR
        CMPA    #'1
        BEQ     LD_S1
        CMPA    #'9
        BEQ     LD_S9
        CMPA    #'0
        BEQ     LD_ATT
        CMPA    #'5
        BEQ     LD_ATT
        CMPA    #ESC
        BNE     LD_FAUX
LD_AB   JMP     LD_ABAN
LD_FAUX LDX     S_ERR           un enregistrement faux
        INX
        STX     S_ERR
        BRA     LD_ATT

* S1 : le compte, l'adresse, les donnees (dans ENR), la somme
LD_S1   JSR     LD_TETE
        BCS     LD_FAUX
        LDY     #ENR
        LDAB    S_ND
LD3     BEQ     LD4
        JSR     LITOCT
        BCS     LD_FAUX
        STAA    0,Y
        INY
        DECB
        BRA     LD3
LD4     JSR     LITOCT          la somme : le total fait $FF
        BCS     LD_FAUX
        LDAA    S_SOM
        CMPA    #$FF
        BNE     LD_FAUX
        LDX     S_ADR           ecrire les donnees
        LDY     #ENR
        LDAB    S_ND
LD5     BEQ     LD6
        LDAA    0,Y
        JSR     DEPOSE
        INX
        INY
        DECB
        BRA     LD5
LD6     LDX     S_ENR
        INX
        STX     S_ENR
        BRA     LD_ATT

* S9 : la fin, et l'adresse de depart
LD_S9   JSR     LD_TETE
        BCS     LD_F9
        LDAB    S_ND            pas de donnees dans un S9
        BNE     LD_F9
        JSR     LITOCT
        BCS     LD_F9
        LDAA    S_SOM
        CMPA    #$FF
        BNE     LD_F9
        LDD     S_ADR
        STD     S_DEP
        BEQ     LD_FIN
        STD     R_P             le programme partira de la
        BRA     LD_FIN
LD_F9   LDX     S_ERR
        INX
        STX     S_ERR
LD_FIN  JSR     FINLIG          la fin de la ligne du S9
        JSR     LD_EEP          l'EEPROM, maintenant
        BRA     LD_BIL

LD_ABAN LDX     #M_ABAN
        JSR     ECRTXT
        CLR     S_DEP
        CLR     S_DEP+1
LD_BIL  LDX     #M_ENR
        JSR     ECRTXT
        LDD     S_ENR
        JSR     ECRDEC
        LDX     #M_ERR
        JSR     ECRTXT
        LDD     S_ERR
        JSR     ECRDEC
        LDX     #M_REF
        JSR     ECRTXT
        LDD     S_REF
        JSR     ECRDEC
        JSR     CRLF
        LDD     S_DEP
        BEQ     LD8
        LDX     #M_DEP
        JSR     ECRTXT
        LDD     S_DEP
        JSR     ECRH4
        JSR     CRLF
LD8     RTS

LD_T    LDX     #M_LOADT
        JMP     ERREUR

*****************************************************************
* LD_TETE -- le compte et l'adresse d'un enregistrement : S_SOM,
* S_NB, S_ADR, S_ND (octets de donnees). C = 1 s'ils sont faux.
*****************************************************************
LD_TETE CLR     S_SOM
        BSR     LITOCT
        BCS     LT1
        STAA    S_NB
        CMPA    #3              au moins l'adresse et la somme
        BLO     LT1
        SUBA    #3
        STAA    S_ND
        BSR     LITOCT
        BCS     LT1
        STAA    S_ADR
        BSR     LITOCT
        BCS     LT1
        STAA    S_ADR+1
        CLC
        RTS
LT1     SEC
        RTS

*****************************************************************
* LITOCT -- deux chiffres hexadecimaux du terminal : l'octet dans
* A, ajoute a S_SOM. C = 1 si un caractere n'est pas un chiffre ;
* Echap abandonne le chargement. Garde B, X et Y.
*****************************************************************
LITOCT  PSHB
        JSR     LITCAR
        BSR     LO_CHIF
        BCS     LO1
        LSLA
        LSLA
        LSLA
        LSLA
        TAB
        JSR     LITCAR
        BSR     LO_CHIF
        BCS     LO1
        ABA
        TAB
        ADDB    S_SOM
        STAB    S_SOM
        PULB
        CLC
        RTS
LO1     PULB
        SEC
        RTS

* LO_CHIF -- la valeur du chiffre A, ou C = 1 ; Echap abandonne.
LO_CHIF CMPA    #ESC
        BEQ     LO2
        CMPA    #CTRLC
        BEQ     LO2
        JMP     CHIFHEX
LO2     LDS     #PILE           plus de retour : le bilan, l'invite
        JSR     LD_ABAN
        JMP     PRINCIPAL

*****************************************************************
* FINLIG -- lit la fin de ligne qui suit le S9 (CR ou LF), si elle
* arrive dans les 10 ms ; un autre caractere est laisse (la
* commande suivante).
*****************************************************************
FINLIG  LDD     REGS+TCNT
        STD     T_DEBUT
FL2     JSR     PROCHAIN
        BCC     FL3
        LDD     REGS+TCNT
        SUBD    T_DEBUT
        CPD     #DIXMS
        BLO     FL2
        RTS
FL3     CMPA    #CR
        BEQ     FL4
        CMPA    #LF
        BNE     FL5
FL4     JSR     LITCAR
FL5     RTS

*****************************************************************
* PROCHAIN -- le prochain caractere de la file dans A, sans le
* lire ; C = 1 si la file est vide. Garde B, X, Y.
*****************************************************************
PROCHAIN PSHB
        PSHX
        LDAA    RX_T
        CMPA    RX_Q
        BEQ     PR1
        LDX     #RX_BUF
        TAB
        ABX
        LDAA    0,X
        CLC
        BRA     PR2
PR1     SEC
PR2     PULX
        PULB
        RTS

*****************************************************************
* DEPOSE -- l'octet A d'un S1 pour l'adresse X : en RAM et dans les
* registres tout de suite, pour l'EEPROM dans E_IMG ; un refus est
* compte dans S_REF. Garde A, B, X, Y.
*****************************************************************
DEPOSE  PSHB
        JSR     GENRE
        CMPB    #G_EEP
        BEQ     DP2
        JSR     ECRIT
        BCC     DP1
        PSHX
        LDX     S_REF
        INX
        STX     S_REF
        PULX
DP1     PULB
        RTS
DP2     PSHX
        PSHY
        PSHA
        XGDX
        SUBD    #EEPROM         le rang de l'octet, de 0 a 511
        STD     S_RANG
        ADDD    #E_IMG
        XGDX
        PULA
        STAA    0,X             l'octet attend dans E_IMG
        PSHA
        BSR     BIT_MSQ
        ORAA    0,Y             et son bit dans E_MASQ
        STAA    0,Y
        PULA
        PULY
        PULX
        PULB
        RTS

* BIT_MSQ -- le bit de l'octet S_RANG dans E_MASQ : Y = son octet,
* A = le bit. Detruit B.
BIT_MSQ LDD     S_RANG
        LSRD
        LSRD
        LSRD
        ADDD    #E_MASQ
        XGDY
        LDAB    S_RANG+1
        ANDB    #7
        LDAA    #1
BM1     TSTB
        BEQ     BM2
        LSLA
        DECB
        BRA     BM1
BM2     RTS

*****************************************************************
* LD_EEP -- programme dans l'EEPROM les octets gardes par DEPOSE ;
* ceux qui ne se relisent pas (BPROT) sont comptes dans S_REF.
*****************************************************************
LD_EEP  LDD     #0
        STD     S_RANG
LE1     BSR     BIT_MSQ
        ANDA    0,Y
        BEQ     LE2
        LDD     S_RANG
        ADDD    #E_IMG
        XGDY
        LDD     S_RANG
        ADDD    #EEPROM
        XGDX
        LDAA    0,Y
        JSR     ECRIT
        BCC     LE2
        LDX     S_REF
        INX
        STX     S_REF
LE2     LDD     S_RANG
        ADDD    #1
        STD     S_RANG
        CPD     #512
        BNE     LE1
        RTS

*****************************************************************
*
* Les textes (ASCII, termines par NUL)
*
*****************************************************************
M_TITRE FCB     CR,LF
        FCC     'Moniteur tamrix 1.0 -- MC68HC711E9, 9600 bauds'
        FCB     CR,LF
        FCC     'Tapez ? pour la liste des commandes.'
        FCB     CR,LF,NUL
M_COP   FCC     '(reset par le chien de garde COP)'
        FCB     CR,LF,NUL
M_CME   FCC     "(reset par le moniteur d'horloge)"
        FCB     CR,LF,NUL
M_SANSR FCB     CR,LF
        FCC     'Moniteur tamrix : pas de RAM externe en $C800-$CFFF'
        FCB     CR,LF
        FCC     '(mode monopuce ?) : arret.'
        FCB     CR,LF,NUL

M_AIDE  FCC     'Commandes (nombres en hexadecimal) :'
        FCB     CR,LF
        FCC     '  MD adr [fin]         affiche la memoire'
        FCB     CR,LF
        FCC     '  MM adr               modifie la memoire (valeur et'
        FCB     CR,LF
        FCC     '                       Entree, Entree : suivant,'
        FCB     CR,LF
        FCC     '                       ^ : precedent, . : fin)'
        FCB     CR,LF
        FCC     '  RM [reg valeur]      registres du programme'
        FCB     CR,LF
        FCC     '                       (P Y X A B C S)'
        FCB     CR,LF
        FCC     '  G [adr]              lance le programme ; un SWI'
        FCB     CR,LF
        FCC     '                       revient au moniteur'
        FCB     CR,LF
        FCC     '  CALL adr             appelle un sous-programme'
        FCB     CR,LF
        FCC     "  BR [adr...]          points d'arret ; BR - les efface"
        FCB     CR,LF
        FCC     '  T [n]                trace n instructions'
        FCB     CR,LF
        FCC     '  DASM adr [n]         desassemble n instructions'
        FCB     CR,LF
        FCC     '  BF debut fin val     remplit la memoire'
        FCB     CR,LF
        FCC     '  MOVE debut fin dest  copie la memoire'
        FCB     CR,LF
        FCC     '  LOAD T               charge un fichier S19 par le'
        FCB     CR,LF
        FCC     '                       terminal'
        FCB     CR,LF
        FCC     '  HELP ou ?            cette aide'
        FCB     CR,LF
        FCC     "Echap arrete un affichage, une trace ou le programme."
        FCB     CR,LF,NUL

M_TROP  FCC     'Argument en trop'
        FCB     NUL
M_NOMBRE FCC    'Nombre hexadecimal invalide'
        FCB     NUL
M_ADR   FCC     'Adresse attendue'
        FCB     NUL
M_VAL   FCC     'Valeur attendue'
        FCB     NUL
M_OCTET FCC     'La valeur doit tenir sur un octet (00 a ff)'
        FCB     NUL
M_INCON FCC     "Commande inconnue (? pour l'aide)"
        FCB     NUL
M_ORDRE FCC     'La fin est avant le debut'
        FCB     NUL
M_DEPAS FCC     'La copie depasserait ffff'
        FCB     NUL
M_REG   FCC     'Registre inconnu (P, Y, X, A, B, C ou S)'
        FCB     NUL
M_ECHEC FCC     'Ecriture impossible en '
        FCB     NUL
M_E_ROM FCC     ' : ROM'
        FCB     NUL
M_E_MON FCC     ' : RAM du moniteur'
        FCB     NUL
M_E_REG FCC     ' : registres internes'
        FCB     NUL
M_E_REL FCC     " : l'octet relu differe"
        FCB     NUL
M_FLECHE FCC    '  -> '
        FCB     NUL
* Les noms de la ligne des registres, dans l'ordre de ECRREGS
M_PC    FCC     'PC='
        FCB     NUL
        FCC     ' A='
        FCB     NUL
        FCC     ' B='
        FCB     NUL
        FCC     ' X='
        FCB     NUL
        FCC     ' Y='
        FCB     NUL
        FCC     ' SP='
        FCB     NUL
        FCC     ' CCR='
        FCB     NUL
M_PILE  FCC     'Pile du programme hors RAM : SP='
        FCB     NUL
M_BRLIS FCC     "Points d'arret :"
        FCB     NUL
M_NEANT FCC     ' aucun'
        FCB     NUL
M_BRROM FCC     "Pas de point d'arret possible en "
        FCB     NUL
M_BRPLN FCC     "Pas plus de 6 points d'arret"
        FCB     NUL
M_BOUCLE FCC    'Saut sur lui-meme, trace arretee en '
        FCB     NUL
M_IMP   FCC     'Interruption '
        FCB     NUL
M_PV    FCC     ' sans programme (pseudo-vecteur '
        FCB     NUL
M_COUPE FCC     ' : autorisations du timer et du SPI coupees'
        FCB     CR,LF,NUL
M_INEX  FCC     'Code operation inexistant en '
        FCB     NUL
M_ESC   FCC     'Arret par Echap en '
        FCB     NUL
M_BR    FCC     "Point d'arret en "
        FCB     NUL
M_RET   FCC     'Retour du sous-programme'
        FCB     CR,LF,NUL
M_SWIP  FCC     'SWI en '
        FCB     NUL
M_LOAD  FCC     'Envoyez le fichier S19 (Echap pour abandonner)'
        FCB     CR,LF,NUL
M_ABAN  FCC     'Chargement abandonne'
        FCB     CR,LF,NUL
M_ENR   FCC     'Enregistrements : '
        FCB     NUL
M_ERR   FCC     ', erreurs : '
        FCB     NUL
M_REF   FCC     ', octets refuses : '
        FCB     NUL
M_DEP   FCC     'Depart du programme : '
        FCB     NUL
M_LOADT FCC     'LOAD T seulement : le fichier vient du terminal'
        FCB     NUL

*****************************************************************
* MNEMOS -- les mnemoniques, cinq caracteres chacun (completes par
* des espaces), dans l'ordre de leurs numeros
*****************************************************************
MNEMOS
        FCC     '?????'   0
        FCC     'ABA  '   1
        FCC     'ABX  '   2
        FCC     'ABY  '   3
        FCC     'ADCA '   4
        FCC     'ADCB '   5
        FCC     'ADDA '   6
        FCC     'ADDB '   7
        FCC     'ADDD '   8
        FCC     'ANDA '   9
        FCC     'ANDB '   10
        FCC     'ASL  '   11
        FCC     'ASLA '   12
        FCC     'ASLB '   13
        FCC     'ASR  '   14
        FCC     'ASRA '   15
        FCC     'ASRB '   16
        FCC     'BCC  '   17
        FCC     'BCLR '   18
        FCC     'BCS  '   19
        FCC     'BEQ  '   20
        FCC     'BGE  '   21
        FCC     'BGT  '   22
        FCC     'BHI  '   23
        FCC     'BITA '   24
        FCC     'BITB '   25
        FCC     'BLE  '   26
        FCC     'BLS  '   27
        FCC     'BLT  '   28
        FCC     'BMI  '   29
        FCC     'BNE  '   30
        FCC     'BPL  '   31
        FCC     'BRA  '   32
        FCC     'BRCLR'   33
        FCC     'BRN  '   34
        FCC     'BRSET'   35
        FCC     'BSET '   36
        FCC     'BSR  '   37
        FCC     'BVC  '   38
        FCC     'BVS  '   39
        FCC     'CBA  '   40
        FCC     'CLC  '   41
        FCC     'CLI  '   42
        FCC     'CLR  '   43
        FCC     'CLRA '   44
        FCC     'CLRB '   45
        FCC     'CLV  '   46
        FCC     'CMPA '   47
        FCC     'CMPB '   48
        FCC     'COM  '   49
        FCC     'COMA '   50
        FCC     'COMB '   51
        FCC     'CPD  '   52
        FCC     'CPX  '   53
        FCC     'CPY  '   54
        FCC     'DAA  '   55
        FCC     'DEC  '   56
        FCC     'DECA '   57
        FCC     'DECB '   58
        FCC     'DES  '   59
        FCC     'DEX  '   60
        FCC     'DEY  '   61
        FCC     'EORA '   62
        FCC     'EORB '   63
        FCC     'FDIV '   64
        FCC     'IDIV '   65
        FCC     'INC  '   66
        FCC     'INCA '   67
        FCC     'INCB '   68
        FCC     'INS  '   69
        FCC     'INX  '   70
        FCC     'INY  '   71
        FCC     'JMP  '   72
        FCC     'JSR  '   73
        FCC     'LDAA '   74
        FCC     'LDAB '   75
        FCC     'LDD  '   76
        FCC     'LDS  '   77
        FCC     'LDX  '   78
        FCC     'LDY  '   79
        FCC     'LSLD '   80
        FCC     'LSR  '   81
        FCC     'LSRA '   82
        FCC     'LSRB '   83
        FCC     'LSRD '   84
        FCC     'MUL  '   85
        FCC     'NEG  '   86
        FCC     'NEGA '   87
        FCC     'NEGB '   88
        FCC     'NOP  '   89
        FCC     'ORAA '   90
        FCC     'ORAB '   91
        FCC     'PSHA '   92
        FCC     'PSHB '   93
        FCC     'PSHX '   94
        FCC     'PSHY '   95
        FCC     'PULA '   96
        FCC     'PULB '   97
        FCC     'PULX '   98
        FCC     'PULY '   99
        FCC     'ROL  '   100
        FCC     'ROLA '   101
        FCC     'ROLB '   102
        FCC     'ROR  '   103
        FCC     'RORA '   104
        FCC     'RORB '   105
        FCC     'RTI  '   106
        FCC     'RTS  '   107
        FCC     'SBA  '   108
        FCC     'SBCA '   109
        FCC     'SBCB '   110
        FCC     'SEC  '   111
        FCC     'SEI  '   112
        FCC     'SEV  '   113
        FCC     'STAA '   114
        FCC     'STAB '   115
        FCC     'STD  '   116
        FCC     'STOP '   117
        FCC     'STS  '   118
        FCC     'STX  '   119
        FCC     'STY  '   120
        FCC     'SUBA '   121
        FCC     'SUBB '   122
        FCC     'SUBD '   123
        FCC     'SWI  '   124
        FCC     'TAB  '   125
        FCC     'TAP  '   126
        FCC     'TBA  '   127
        FCC     'TPA  '   128
        FCC     'TST  '   129
        FCC     'TSTA '   130
        FCC     'TSTB '   131
        FCC     'TSX  '   132
        FCC     'TSY  '   133
        FCC     'TXS  '   134
        FCC     'TYS  '   135
        FCC     'WAI  '   136
        FCC     'XGDX '   137
        FCC     'XGDY '   138

*****************************************************************
* PAGE0 -- les 256 codes sans prefixe : numero du mnemonique, puis
* mode + nombre d'octets d'operande. $18, $1A et $CD sont les
* prefixes des trois autres pages.
*****************************************************************
PAGE0
        FCB     M_ILL,INH+0      $00 (inexistant)
        FCB     M_NOP,INH+0      $01 NOP
        FCB     M_IDIV,INH+0     $02 IDIV
        FCB     M_FDIV,INH+0     $03 FDIV
        FCB     M_LSRD,INH+0     $04 LSRD
        FCB     M_LSLD,INH+0     $05 LSLD
        FCB     M_TAP,INH+0      $06 TAP
        FCB     M_TPA,INH+0      $07 TPA
        FCB     M_INX,INH+0      $08 INX
        FCB     M_DEX,INH+0      $09 DEX
        FCB     M_CLV,INH+0      $0A CLV
        FCB     M_SEV,INH+0      $0B SEV
        FCB     M_CLC,INH+0      $0C CLC
        FCB     M_SEC,INH+0      $0D SEC
        FCB     M_CLI,INH+0      $0E CLI
        FCB     M_SEI,INH+0      $0F SEI
        FCB     M_SBA,INH+0      $10 SBA
        FCB     M_CBA,INH+0      $11 CBA
        FCB     M_BRSET,DIR+3    $12 BRSET
        FCB     M_BRCLR,DIR+3    $13 BRCLR
        FCB     M_BSET,DIR+2     $14 BSET
        FCB     M_BCLR,DIR+2     $15 BCLR
        FCB     M_TAB,INH+0      $16 TAB
        FCB     M_TBA,INH+0      $17 TBA
        FCB     M_ILL,PRB+0      $18 (prefixe)
        FCB     M_DAA,INH+0      $19 DAA
        FCB     M_ILL,PRB+0      $1A (prefixe)
        FCB     M_ABA,INH+0      $1B ABA
        FCB     M_BSET,INDX+2    $1C BSET
        FCB     M_BCLR,INDX+2    $1D BCLR
        FCB     M_BRSET,INDX+3   $1E BRSET
        FCB     M_BRCLR,INDX+3   $1F BRCLR
        FCB     M_BRA,REL+1      $20 BRA
        FCB     M_BRN,REL+1      $21 BRN
        FCB     M_BHI,REL+1      $22 BHI
        FCB     M_BLS,REL+1      $23 BLS
        FCB     M_BCC,REL+1      $24 BCC
        FCB     M_BCS,REL+1      $25 BCS
        FCB     M_BNE,REL+1      $26 BNE
        FCB     M_BEQ,REL+1      $27 BEQ
        FCB     M_BVC,REL+1      $28 BVC
        FCB     M_BVS,REL+1      $29 BVS
        FCB     M_BPL,REL+1      $2A BPL
        FCB     M_BMI,REL+1      $2B BMI
        FCB     M_BGE,REL+1      $2C BGE
        FCB     M_BLT,REL+1      $2D BLT
        FCB     M_BGT,REL+1      $2E BGT
        FCB     M_BLE,REL+1      $2F BLE
        FCB     M_TSX,INH+0      $30 TSX
        FCB     M_INS,INH+0      $31 INS
        FCB     M_PULA,INH+0     $32 PULA
        FCB     M_PULB,INH+0     $33 PULB
        FCB     M_DES,INH+0      $34 DES
        FCB     M_TXS,INH+0      $35 TXS
        FCB     M_PSHA,INH+0     $36 PSHA
        FCB     M_PSHB,INH+0     $37 PSHB
        FCB     M_PULX,INH+0     $38 PULX
        FCB     M_RTS,INH+0      $39 RTS
        FCB     M_ABX,INH+0      $3A ABX
        FCB     M_RTI,INH+0      $3B RTI
        FCB     M_PSHX,INH+0     $3C PSHX
        FCB     M_MUL,INH+0      $3D MUL
        FCB     M_WAI,INH+0      $3E WAI
        FCB     M_SWI,INH+0      $3F SWI
        FCB     M_NEGA,INH+0     $40 NEGA
        FCB     M_ILL,NOS+0      $41 (inexistant)
        FCB     M_ILL,NOS+0      $42 (inexistant)
        FCB     M_COMA,INH+0     $43 COMA
        FCB     M_LSRA,INH+0     $44 LSRA
        FCB     M_ILL,NOS+0      $45 (inexistant)
        FCB     M_RORA,INH+0     $46 RORA
        FCB     M_ASRA,INH+0     $47 ASRA
        FCB     M_ASLA,INH+0     $48 ASLA
        FCB     M_ROLA,INH+0     $49 ROLA
        FCB     M_DECA,INH+0     $4A DECA
        FCB     M_ILL,NOS+0      $4B (inexistant)
        FCB     M_INCA,INH+0     $4C INCA
        FCB     M_TSTA,INH+0     $4D TSTA
        FCB     M_ILL,NOS+0      $4E (inexistant)
        FCB     M_CLRA,INH+0     $4F CLRA
        FCB     M_NEGB,INH+0     $50 NEGB
        FCB     M_ILL,NOS+0      $51 (inexistant)
        FCB     M_ILL,NOS+0      $52 (inexistant)
        FCB     M_COMB,INH+0     $53 COMB
        FCB     M_LSRB,INH+0     $54 LSRB
        FCB     M_ILL,NOS+0      $55 (inexistant)
        FCB     M_RORB,INH+0     $56 RORB
        FCB     M_ASRB,INH+0     $57 ASRB
        FCB     M_ASLB,INH+0     $58 ASLB
        FCB     M_ROLB,INH+0     $59 ROLB
        FCB     M_DECB,INH+0     $5A DECB
        FCB     M_ILL,NOS+0      $5B (inexistant)
        FCB     M_INCB,INH+0     $5C INCB
        FCB     M_TSTB,INH+0     $5D TSTB
        FCB     M_ILL,NOS+0      $5E (inexistant)
        FCB     M_CLRB,INH+0     $5F CLRB
        FCB     M_NEG,INDX+1     $60 NEG
        FCB     M_ILL,NOS+0      $61 (inexistant)
        FCB     M_ILL,NOS+0      $62 (inexistant)
        FCB     M_COM,INDX+1     $63 COM
        FCB     M_LSR,INDX+1     $64 LSR
        FCB     M_ILL,NOS+0      $65 (inexistant)
        FCB     M_ROR,INDX+1     $66 ROR
        FCB     M_ASR,INDX+1     $67 ASR
        FCB     M_ASL,INDX+1     $68 ASL
        FCB     M_ROL,INDX+1     $69 ROL
        FCB     M_DEC,INDX+1     $6A DEC
        FCB     M_ILL,NOS+0      $6B (inexistant)
        FCB     M_INC,INDX+1     $6C INC
        FCB     M_TST,INDX+1     $6D TST
        FCB     M_JMP,INDX+1     $6E JMP
        FCB     M_CLR,INDX+1     $6F CLR
        FCB     M_NEG,EXT+2      $70 NEG
        FCB     M_ILL,NOS+0      $71 (inexistant)
        FCB     M_ILL,NOS+0      $72 (inexistant)
        FCB     M_COM,EXT+2      $73 COM
        FCB     M_LSR,EXT+2      $74 LSR
        FCB     M_ILL,NOS+0      $75 (inexistant)
        FCB     M_ROR,EXT+2      $76 ROR
        FCB     M_ASR,EXT+2      $77 ASR
        FCB     M_ASL,EXT+2      $78 ASL
        FCB     M_ROL,EXT+2      $79 ROL
        FCB     M_DEC,EXT+2      $7A DEC
        FCB     M_ILL,NOS+0      $7B (inexistant)
        FCB     M_INC,EXT+2      $7C INC
        FCB     M_TST,EXT+2      $7D TST
        FCB     M_JMP,EXT+2      $7E JMP
        FCB     M_CLR,EXT+2      $7F CLR
        FCB     M_SUBA,IMM+1     $80 SUBA
        FCB     M_CMPA,IMM+1     $81 CMPA
        FCB     M_SBCA,IMM+1     $82 SBCA
        FCB     M_SUBD,IMM+2     $83 SUBD
        FCB     M_ANDA,IMM+1     $84 ANDA
        FCB     M_BITA,IMM+1     $85 BITA
        FCB     M_LDAA,IMM+1     $86 LDAA
        FCB     M_ILL,NOS+0      $87 (inexistant)
        FCB     M_EORA,IMM+1     $88 EORA
        FCB     M_ADCA,IMM+1     $89 ADCA
        FCB     M_ORAA,IMM+1     $8A ORAA
        FCB     M_ADDA,IMM+1     $8B ADDA
        FCB     M_CPX,IMM+2      $8C CPX
        FCB     M_BSR,REL+1      $8D BSR
        FCB     M_LDS,IMM+2      $8E LDS
        FCB     M_XGDX,INH+0     $8F XGDX
        FCB     M_SUBA,DIR+1     $90 SUBA
        FCB     M_CMPA,DIR+1     $91 CMPA
        FCB     M_SBCA,DIR+1     $92 SBCA
        FCB     M_SUBD,DIR+1     $93 SUBD
        FCB     M_ANDA,DIR+1     $94 ANDA
        FCB     M_BITA,DIR+1     $95 BITA
        FCB     M_LDAA,DIR+1     $96 LDAA
        FCB     M_STAA,DIR+1     $97 STAA
        FCB     M_EORA,DIR+1     $98 EORA
        FCB     M_ADCA,DIR+1     $99 ADCA
        FCB     M_ORAA,DIR+1     $9A ORAA
        FCB     M_ADDA,DIR+1     $9B ADDA
        FCB     M_CPX,DIR+1      $9C CPX
        FCB     M_JSR,DIR+1      $9D JSR
        FCB     M_LDS,DIR+1      $9E LDS
        FCB     M_STS,DIR+1      $9F STS
        FCB     M_SUBA,INDX+1    $A0 SUBA
        FCB     M_CMPA,INDX+1    $A1 CMPA
        FCB     M_SBCA,INDX+1    $A2 SBCA
        FCB     M_SUBD,INDX+1    $A3 SUBD
        FCB     M_ANDA,INDX+1    $A4 ANDA
        FCB     M_BITA,INDX+1    $A5 BITA
        FCB     M_LDAA,INDX+1    $A6 LDAA
        FCB     M_STAA,INDX+1    $A7 STAA
        FCB     M_EORA,INDX+1    $A8 EORA
        FCB     M_ADCA,INDX+1    $A9 ADCA
        FCB     M_ORAA,INDX+1    $AA ORAA
        FCB     M_ADDA,INDX+1    $AB ADDA
        FCB     M_CPX,INDX+1     $AC CPX
        FCB     M_JSR,INDX+1     $AD JSR
        FCB     M_LDS,INDX+1     $AE LDS
        FCB     M_STS,INDX+1     $AF STS
        FCB     M_SUBA,EXT+2     $B0 SUBA
        FCB     M_CMPA,EXT+2     $B1 CMPA
        FCB     M_SBCA,EXT+2     $B2 SBCA
        FCB     M_SUBD,EXT+2     $B3 SUBD
        FCB     M_ANDA,EXT+2     $B4 ANDA
        FCB     M_BITA,EXT+2     $B5 BITA
        FCB     M_LDAA,EXT+2     $B6 LDAA
        FCB     M_STAA,EXT+2     $B7 STAA
        FCB     M_EORA,EXT+2     $B8 EORA
        FCB     M_ADCA,EXT+2     $B9 ADCA
        FCB     M_ORAA,EXT+2     $BA ORAA
        FCB     M_ADDA,EXT+2     $BB ADDA
        FCB     M_CPX,EXT+2      $BC CPX
        FCB     M_JSR,EXT+2      $BD JSR
        FCB     M_LDS,EXT+2      $BE LDS
        FCB     M_STS,EXT+2      $BF STS
        FCB     M_SUBB,IMM+1     $C0 SUBB
        FCB     M_CMPB,IMM+1     $C1 CMPB
        FCB     M_SBCB,IMM+1     $C2 SBCB
        FCB     M_ADDD,IMM+2     $C3 ADDD
        FCB     M_ANDB,IMM+1     $C4 ANDB
        FCB     M_BITB,IMM+1     $C5 BITB
        FCB     M_LDAB,IMM+1     $C6 LDAB
        FCB     M_ILL,NOS+0      $C7 (inexistant)
        FCB     M_EORB,IMM+1     $C8 EORB
        FCB     M_ADCB,IMM+1     $C9 ADCB
        FCB     M_ORAB,IMM+1     $CA ORAB
        FCB     M_ADDB,IMM+1     $CB ADDB
        FCB     M_LDD,IMM+2      $CC LDD
        FCB     M_ILL,PRB+0      $CD (prefixe)
        FCB     M_LDX,IMM+2      $CE LDX
        FCB     M_STOP,INH+0     $CF STOP
        FCB     M_SUBB,DIR+1     $D0 SUBB
        FCB     M_CMPB,DIR+1     $D1 CMPB
        FCB     M_SBCB,DIR+1     $D2 SBCB
        FCB     M_ADDD,DIR+1     $D3 ADDD
        FCB     M_ANDB,DIR+1     $D4 ANDB
        FCB     M_BITB,DIR+1     $D5 BITB
        FCB     M_LDAB,DIR+1     $D6 LDAB
        FCB     M_STAB,DIR+1     $D7 STAB
        FCB     M_EORB,DIR+1     $D8 EORB
        FCB     M_ADCB,DIR+1     $D9 ADCB
        FCB     M_ORAB,DIR+1     $DA ORAB
        FCB     M_ADDB,DIR+1     $DB ADDB
        FCB     M_LDD,DIR+1      $DC LDD
        FCB     M_STD,DIR+1      $DD STD
        FCB     M_LDX,DIR+1      $DE LDX
        FCB     M_STX,DIR+1      $DF STX
        FCB     M_SUBB,INDX+1    $E0 SUBB
        FCB     M_CMPB,INDX+1    $E1 CMPB
        FCB     M_SBCB,INDX+1    $E2 SBCB
        FCB     M_ADDD,INDX+1    $E3 ADDD
        FCB     M_ANDB,INDX+1    $E4 ANDB
        FCB     M_BITB,INDX+1    $E5 BITB
        FCB     M_LDAB,INDX+1    $E6 LDAB
        FCB     M_STAB,INDX+1    $E7 STAB
        FCB     M_EORB,INDX+1    $E8 EORB
        FCB     M_ADCB,INDX+1    $E9 ADCB
        FCB     M_ORAB,INDX+1    $EA ORAB
        FCB     M_ADDB,INDX+1    $EB ADDB
        FCB     M_LDD,INDX+1     $EC LDD
        FCB     M_STD,INDX+1     $ED STD
        FCB     M_LDX,INDX+1     $EE LDX
        FCB     M_STX,INDX+1     $EF STX
        FCB     M_SUBB,EXT+2     $F0 SUBB
        FCB     M_CMPB,EXT+2     $F1 CMPB
        FCB     M_SBCB,EXT+2     $F2 SBCB
        FCB     M_ADDD,EXT+2     $F3 ADDD
        FCB     M_ANDB,EXT+2     $F4 ANDB
        FCB     M_BITB,EXT+2     $F5 BITB
        FCB     M_LDAB,EXT+2     $F6 LDAB
        FCB     M_STAB,EXT+2     $F7 STAB
        FCB     M_EORB,EXT+2     $F8 EORB
        FCB     M_ADCB,EXT+2     $F9 ADCB
        FCB     M_ORAB,EXT+2     $FA ORAB
        FCB     M_ADDB,EXT+2     $FB ADDB
        FCB     M_LDD,EXT+2      $FC LDD
        FCB     M_STD,EXT+2      $FD STD
        FCB     M_LDX,EXT+2      $FE LDX
        FCB     M_STX,EXT+2      $FF STX

*****************************************************************
* PAGE18, PAGE1A, PAGECD -- les codes qui existent apres chaque
* prefixe : le code, le numero du mnemonique, mode + octets
* d'operande. Un code absent de la liste n'existe pas (deux octets,
* "?????"). La liste finit par le code $00, qui n'existe dans
* aucune de ces pages.
*****************************************************************
PAGE18
        FCB     $08,M_INY,INH+0      INY
        FCB     $09,M_DEY,INH+0      DEY
        FCB     $1C,M_BSET,INDY+2    BSET
        FCB     $1D,M_BCLR,INDY+2    BCLR
        FCB     $1E,M_BRSET,INDY+3   BRSET
        FCB     $1F,M_BRCLR,INDY+3   BRCLR
        FCB     $30,M_TSY,INH+0      TSY
        FCB     $35,M_TYS,INH+0      TYS
        FCB     $38,M_PULY,INH+0     PULY
        FCB     $3A,M_ABY,INH+0      ABY
        FCB     $3C,M_PSHY,INH+0     PSHY
        FCB     $60,M_NEG,INDY+1     NEG
        FCB     $63,M_COM,INDY+1     COM
        FCB     $64,M_LSR,INDY+1     LSR
        FCB     $66,M_ROR,INDY+1     ROR
        FCB     $67,M_ASR,INDY+1     ASR
        FCB     $68,M_ASL,INDY+1     ASL
        FCB     $69,M_ROL,INDY+1     ROL
        FCB     $6A,M_DEC,INDY+1     DEC
        FCB     $6C,M_INC,INDY+1     INC
        FCB     $6D,M_TST,INDY+1     TST
        FCB     $6E,M_JMP,INDY+1     JMP
        FCB     $6F,M_CLR,INDY+1     CLR
        FCB     $8C,M_CPY,IMM+2      CPY
        FCB     $8F,M_XGDY,INH+0     XGDY
        FCB     $9C,M_CPY,DIR+1      CPY
        FCB     $A0,M_SUBA,INDY+1    SUBA
        FCB     $A1,M_CMPA,INDY+1    CMPA
        FCB     $A2,M_SBCA,INDY+1    SBCA
        FCB     $A3,M_SUBD,INDY+1    SUBD
        FCB     $A4,M_ANDA,INDY+1    ANDA
        FCB     $A5,M_BITA,INDY+1    BITA
        FCB     $A6,M_LDAA,INDY+1    LDAA
        FCB     $A7,M_STAA,INDY+1    STAA
        FCB     $A8,M_EORA,INDY+1    EORA
        FCB     $A9,M_ADCA,INDY+1    ADCA
        FCB     $AA,M_ORAA,INDY+1    ORAA
        FCB     $AB,M_ADDA,INDY+1    ADDA
        FCB     $AC,M_CPY,INDY+1     CPY
        FCB     $AD,M_JSR,INDY+1     JSR
        FCB     $AE,M_LDS,INDY+1     LDS
        FCB     $AF,M_STS,INDY+1     STS
        FCB     $BC,M_CPY,EXT+2      CPY
        FCB     $CE,M_LDY,IMM+2      LDY
        FCB     $DE,M_LDY,DIR+1      LDY
        FCB     $DF,M_STY,DIR+1      STY
        FCB     $E0,M_SUBB,INDY+1    SUBB
        FCB     $E1,M_CMPB,INDY+1    CMPB
        FCB     $E2,M_SBCB,INDY+1    SBCB
        FCB     $E3,M_ADDD,INDY+1    ADDD
        FCB     $E4,M_ANDB,INDY+1    ANDB
        FCB     $E5,M_BITB,INDY+1    BITB
        FCB     $E6,M_LDAB,INDY+1    LDAB
        FCB     $E7,M_STAB,INDY+1    STAB
        FCB     $E8,M_EORB,INDY+1    EORB
        FCB     $E9,M_ADCB,INDY+1    ADCB
        FCB     $EA,M_ORAB,INDY+1    ORAB
        FCB     $EB,M_ADDB,INDY+1    ADDB
        FCB     $EC,M_LDD,INDY+1     LDD
        FCB     $ED,M_STD,INDY+1     STD
        FCB     $EE,M_LDY,INDY+1     LDY
        FCB     $EF,M_STY,INDY+1     STY
        FCB     $FE,M_LDY,EXT+2      LDY
        FCB     $FF,M_STY,EXT+2      STY
        FCB     $00,M_ILL,NOS+0      fin de la liste

PAGE1A
        FCB     $83,M_CPD,IMM+2      CPD
        FCB     $93,M_CPD,DIR+1      CPD
        FCB     $A3,M_CPD,INDX+1     CPD
        FCB     $AC,M_CPY,INDX+1     CPY
        FCB     $B3,M_CPD,EXT+2      CPD
        FCB     $EE,M_LDY,INDX+1     LDY
        FCB     $EF,M_STY,INDX+1     STY
        FCB     $00,M_ILL,NOS+0      fin de la liste

PAGECD
        FCB     $A3,M_CPD,INDY+1     CPD
        FCB     $AC,M_CPX,INDY+1     CPX
        FCB     $EE,M_LDX,INDY+1     LDX
        FCB     $EF,M_STX,INDY+1     STX
        FCB     $00,M_ILL,NOS+0      fin de la liste

*****************************************************************
*
* Les vecteurs ($FFD6-$FFFF) : les sources masquables et XIRQ
* passent par leurs pseudo-vecteurs en RAM (le SCI par IT_SCI, qui
* le garde au moniteur quand il a la main) ; SWI, le code
* inexistant, le COP, le moniteur d'horloge et le reset sont au
* moniteur.
*
*****************************************************************
        ORG     $FFD6
        FDB     IT_SCI          $FFD6 SCI
        FDB     PV_SPI          $FFD8 SPI
        FDB     PV_PAI          $FFDA front sur PAI
        FDB     PV_PAOV         $FFDC debordement de PA
        FDB     PV_TOF          $FFDE debordement du timer
        FDB     PV_OC5          $FFE0 OC5
        FDB     PV_OC4          $FFE2 OC4
        FDB     PV_OC3          $FFE4 OC3
        FDB     PV_OC2          $FFE6 OC2
        FDB     PV_OC1          $FFE8 OC1
        FDB     PV_IC3          $FFEA IC3
        FDB     PV_IC2          $FFEC IC2
        FDB     PV_IC1          $FFEE IC1
        FDB     PV_RTI          $FFF0 temps reel
        FDB     PV_IRQ          $FFF2 IRQ
        FDB     PV_XIRQ         $FFF4 XIRQ
        FDB     IT_SWI          $FFF6 SWI
        FDB     IT_ILL          $FFF8 code inexistant
        FDB     DEM_COP         $FFFA chien de garde (COP)
        FDB     DEM_CME         $FFFC moniteur d'horloge
        FDB     DEMARRE         $FFFE reset

        END     DEMARRE
