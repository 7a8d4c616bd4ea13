#!/usr/bin/env python3
"""Writes an English test page of about N kilobytes: paragraphs of ordinary
sentences with links, as a page of today's web carries them."""
import sys

FRASES = [
    "The house is big and the garden is green.",
    "I like the red car that my brother bought last year.",
    "Open the file and read the text before you save the page.",
    "The children played in the park while their parents talked.",
    "This program translates web pages from English to Portuguese.",
    "We will visit the old city when the weather is good.",
    "She has written three books about the history of the country.",
    "Click the button to send the message to your friends.",
]

def pagina(kb):
    partes = ["<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>The test page</title></head><body>\n"]
    n = 0
    while sum(len(p) for p in partes) < kb * 1024:
        frases = " ".join(FRASES[(n + i) % len(FRASES)] for i in range(4))
        partes.append(f"<p>{frases} <a href=\"page{n}.html\">Read more</a> <img src=\"i{n}.png\" alt=\"A small picture\"></p>\n")
        n += 1
    partes.append("</body></html>\n")
    return "".join(partes)

if __name__ == "__main__":
    sys.stdout.write(pagina(int(sys.argv[1])))
