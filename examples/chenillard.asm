* chenillard.asm -- un chenillard sur les sorties du port B.
*
* Un seul bit allume parcourt le port B (adresse $1004) du bit 0 au
* bit 7, puis recommence au bit 0, un pas tous les cinquiemes de seconde
* sur une carte dont l'horloge E est a 2 MHz. Lancez-le avec "@>" a la
* vitesse "Temps reel" : il avance au meme rythme que sur la carte. Pour
* le suivre pas a pas avec "@->|", mettez ATTENTE a 3 et reassemblez.
*
* La duree de l'attente, en cycles E, se lit dans la table des cycles :
*   dey (4 cycles) + bne (3 cycles) = 7 cycles par tour,
*   ATTENTE = 57143 tours : 57143 x 7 = 400 001 cycles,
*   400 001 cycles a 2 MHz (0,5 us par cycle) = 0,2 s.
* Le reste d'un pas (staa, ldy, lsla, bne : 4 + 4 + 2 + 3 = 13 cycles)
* ne compte presque pas.

PORTB   EQU     $1004           registre de donnees du port B (sorties)
ATTENTE EQU     57143           duree de l'attente, en tours de boucle

        ORG     $B600
debut
        LDS     #$00FF          la pile en haut de la RAM interne
        LDAA    #$01            A = 00000001 : seul le bit 0 est allume

allume
        STAA    PORTB           le motif de A sort sur le port B
        LDY     #ATTENTE        Y compte les tours d'attente
attente
        DEY                     un tour de moins...
        BNE     attente         ...on boucle tant que Y n'est pas nul

        LSLA                    le bit allume passe au rang suivant
        BNE     allume          encore dans l'octet : on l'affiche
        LDAA    #$01            sorti par le bit 7 : on repart du bit 0
        BRA     allume

        END     debut
