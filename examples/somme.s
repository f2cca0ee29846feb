; somme.s -- additionner les entiers de 1 a 10, puis s'arreter.
;
; Le resultat (55 = 0x37) est range a l'adresse 0x0000 : regardez-le
; dans le "DUMP MEMOIRE". Le programme finit sur une instruction qui
; saute sur elle-meme ("bra fin") : une execution continue "@>"
; s'y arrete d'elle-meme.

RESULTAT = 0x0000               ; case de la RAM interne qui recoit la somme

        .sect .text
        .globl _start
_start:
        clra                    ; A = somme partielle = 0
        ldab    #10             ; B = prochain entier a ajouter
ajoute:
        aba                     ; A = A + B
        decb                    ; entier suivant (en descendant)
        bne     ajoute          ; jusqu'a ce que B vaille 0
        staa    *RESULTAT       ; range la somme (adressage direct)
fin:
        bra     fin             ; boucle sur place : fin du programme
