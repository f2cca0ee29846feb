* eeprom.asm -- ecrire une table de 8 octets dans l'EEPROM interne du
* 68HC11E9, puis la relire pour verifier.
*
* L'EEPROM ($b600-$b7ff) ne s'ecrit pas comme de la RAM : un simple STAA
* y est ignore, comme sur la puce (tamrix le signale a cote du compteur de
* cycles). Pour ecrire un octet, il faut la sequence du registre PPROG
* ($103b) :
*   1. PPROG = $02 (EELAT)        l'EEPROM "verrouille" la prochaine
*                                 ecriture au lieu de l'executer ;
*   2. STAA adresse               l'adresse et la donnee sont retenues ;
*   3. PPROG = $03 (EELAT+EPGM)   la tension de programmation est
*                                 appliquee (EPGM seulement apres EELAT,
*                                 jamais les deux d'un coup) ;
*   4. attendre 10 ms             20 000 cycles E a 2 MHz : plus court,
*                                 l'octet ne change pas ;
*   5. PPROG = $00                fin.
* Programmer ne peut que faire passer des bits de 1 a 0 : l'octet devient
* (ancien ET nouveau). On l'efface donc d'abord (ERASE+BYTE : PPROG = $16
* puis $17), ce qui le remet a $ff.
*
* Au reset, BPROT ($1035) protege toute l'EEPROM ; on ne peut lever cette
* protection que dans les 64 premiers cycles : c'est la premiere
* instruction du programme.
*
* Tant que EELAT vaut 1, l'EEPROM ne peut pas etre lue (elle rend $ff) :
* ce programme ne peut donc pas s'executer depuis l'EEPROM, la ou sont
* les autres exemples. Il est place en $c000, dans la memoire externe de la
* carte (mode etendu), et le vecteur de reset ($fffe) pointe sur lui.
*
* A la fin, la table est en $b700-$b707 (DUMP MEMOIRE) et ERREURS ($0000)
* compte les octets relus differents de la table : 0 attendu. L'EEPROM
* garde son contenu apres un reset ; "Options > Effacer l'EEPROM" la remet
* a $ff.

PPROG   EQU     $103B           programmation de l'EEPROM
BPROT   EQU     $1035           protection de l'EEPROM par blocs
EPGM    EQU     $01             bits de PPROG
EELAT   EQU     $02
ERASE   EQU     $04
BYTE    EQU     $10
CIBLE   EQU     $B700           ou ranger la table dans l'EEPROM
N       EQU     8               taille de la table
ERREURS EQU     $0000           octets mal relus (RAM interne)

        ORG     $C000
debut
        CLR     BPROT           leve la protection (64 premiers cycles)
        LDS     #$01FF          pile en RAM interne
        LDX     #table          X : l'octet a copier
        LDY     #CIBLE          Y : ou l'ecrire
copie
        LDAA    0,X
        BSR     efface          l'octet de l'EEPROM revient a $ff...
        BSR     programme       ... puis recoit A
        INX
        INY
        CPX     #table+N
        BNE     copie

        CLR     ERREURS         relecture : l'EEPROM se lit comme la RAM
        LDX     #table
        LDY     #CIBLE
compare
        LDAA    0,X
        CMPA    0,Y
        BEQ     suivant
        INC     ERREURS         un octet different
suivant
        INX
        INY
        CPX     #table+N
        BNE     compare
fin
        BRA     fin             boucle sur place : fin du programme

* efface : remet a $ff l'octet de l'EEPROM d'adresse Y (A est garde).
efface
        LDAB    #BYTE+ERASE+EELAT
        STAB    PPROG           effacement d'un octet, verrou
        STAA    0,Y             l'adresse est retenue (la donnee importe peu)
        LDAB    #BYTE+ERASE+EELAT+EPGM
        STAB    PPROG           tension appliquee
        BSR     attend_10ms
        CLR     PPROG           fin de l'effacement
        RTS

* programme : ecrit A dans l'octet de l'EEPROM d'adresse Y.
programme
        LDAB    #EELAT
        STAB    PPROG           verrou
        STAA    0,Y             adresse et donnee retenues
        LDAB    #EELAT+EPGM
        STAB    PPROG           tension appliquee
        BSR     attend_10ms
        CLR     PPROG           fin de la programmation
        RTS

* attend_10ms : au moins 20 000 cycles E, soit 10 ms a 2 MHz.
attend_10ms
        PSHX
        LDX     #3334           3334 tours de 6 cycles = 20 004 cycles
tour
        DEX                     3 cycles
        BNE     tour            3 cycles
        PULX
        RTS

table
        FCB     $12,$34,$56,$78,$9A,$BC,$DE,$F0

* Vecteurs d'interruption ($ffd6-$ffff), dans la ROM de la puce : seul
* celui du reset sert.
        ORG     $FFD6
        FDB     $FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF
        FDB     $FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF
        FDB     $FFFF,$FFFF,$FFFF,$FFFF,$FFFF,$FFFF
        FDB     debut           $fffe : reset

        END     debut
