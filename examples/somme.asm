* somme.asm -- additionner les entiers de 1 a 10, puis s'arreter.
*
* Le resultat (55 = $37) est range a l'adresse $0000 : regardez-le
* dans le "DUMP MEMOIRE". Le programme finit sur une instruction qui
* saute sur elle-meme ("bra fin") : une execution continue "@>"
* s'y arrete d'elle-meme.

RESULTAT EQU     $0000           case de la RAM interne qui recoit la somme

        ORG     $B600
debut
        CLRA                    A = somme partielle = 0
        LDAB    #10             B = prochain entier a ajouter
ajoute
        ABA                     A = A + B
        DECB                    entier suivant (en descendant)
        BNE     ajoute          jusqu'a ce que B vaille 0
        STAA    RESULTAT        range la somme (adressage direct)
fin
        BRA     fin             boucle sur place : fin du programme

        END     debut
