#!/usr/bin/env python3
"""Builds cocktails-iba.csv, the demo recipes of Le Velquor, from the IBA cocktail list.

The source is the International Bartenders Association list as published by Rasmus Bååth
(MIT licence, see LICENSE-IBA). Its two CSV files give, per cocktail, the IBA category, the
method and garnish, and one row per ingredient with quantity and unit. This script turns them
into the importer's format of velquor-outils:

    cocktail,famille,quantite,ingredient,alcoolise,remarques

one row per composition line: families chosen by style of drink, ingredient names in French
(synonyms merged), quantities in French, and remarks written from the method and garnish,
at most 250 bytes in code page 1252. Python 3 standard library only.

Usage: python3 demo/generer_demo.py [IBA_FOLDER] [OUTPUT.csv]
"""

import csv
import io
import sys
import unicodedata
from pathlib import Path

ICI = Path(__file__).resolve().parent
SOURCE_PAR_DEFAUT = ICI.parent.parent / "shared" / "data" / "iba"
SORTIE_PAR_DEFAUT = ICI / "cocktails-iba.csv"

MAX_NOM, MAX_QUANTITE, MAX_REMARQUES, MAX_LIGNES = 30, 20, 250, 10

APERITIFS = "Apéritifs"
PETILLANTS = "Pétillants"
SOURS = "Sours"
LONG_DRINKS = "Long drinks"
TIKI = "Tiki et punchs"
MELANGE = "Au verre à mélange"
DIGESTIFS = "Digestifs"
SHORT_DRINKS = "Short drinks"

# IBA spelling -> the name we keep (typography and spelling fixes only).
NOMS = {
    "Dark \u2018n' stormy": "Dark 'n' Stormy",
    "Vieux Carrè": "Vieux Carré",
    "KIR": "Kir",
    "Pina Colada": "Piña Colada",
    "Long Island Ice Tea": "Long Island Iced Tea",
    "Last word": "Last Word",
    "Lemon drop Martini": "Lemon Drop Martini",
}

# English ingredient -> (French name, alcoholic). Synonyms of the source are merged.
INGREDIENTS = {
    "100% Agave Tequila": ("Tequila 100 % agave", True),
    "Tequila 100% Agave": ("Tequila 100 % agave", True),
    "Tequila Agave 100% Reposado": ("Tequila reposado", True),
    "Tequila": ("Tequila", True),
    "Absinthe": ("Absinthe", True),
    "Pernod": ("Pernod", True),
    "Agave Syrup": ("Sirop d'agave", False),
    "Aged Rum": ("Rhum vieux", True),
    "Amaretto": ("Amaretto", True),
    "Amaro Nonino": ("Amaro Nonino", True),
    "Amber Jamaican Rum": ("Rhum ambré de Jamaïque", True),
    "Jamaican Rum": ("Rhum de Jamaïque", True),
    "Jamaican dark rum": ("Rhum brun de Jamaïque", True),
    "Jamaica Overproof White Rum": ("Rhum blanc de Jamaïque", True),
    "Martinique Molasses Rhum": ("Rhum de mélasse martiniquais", True),
    "Gold Puerto Rican rum": ("Rhum doré de Porto Rico", True),
    "Gold Rum": ("Rhum doré", True),
    "Goslings Rum": ("Rhum Goslings", True),
    "Demerara Rum": ("Rhum Demerara", True),
    "Rum": ("Rhum", True),
    "White Rum": ("Rhum blanc", True),
    "White rum": ("Rhum blanc", True),
    "White Cuban Ron": ("Rhum blanc cubain", True),
    "Cuban Aguardiente": ("Aguardiente cubain", True),
    "Cachaça": ("Cachaça", True),
    "Angostura Bitters": ("Angostura", True),
    "Angostura bitters": ("Angostura", True),
    "Aromatic Bitters": ("Amer aromatique", True),
    "Orange Bitters": ("Amer d'orange", True),
    "Peychaud's Bitters": ("Peychaud's bitters", True),
    "Aperol": ("Aperol", True),
    "Bitter Campari": ("Campari", True),
    "Fernet Branca": ("Fernet-Branca", True),
    "Apricot Brandy": ("Liqueur d'abricot", True),
    "Bénédictine": ("Bénédictine", True),
    "DOM Bénédictine": ("Bénédictine", True),
    "Blended Scotch Whisky": ("Scotch d'assemblage", True),
    "Scotch Whisky": ("Scotch whisky", True),
    "Lagavulin 16 y Whisky": ("Whisky Lagavulin 16 ans", True),
    "Irish Whiskey": ("Whiskey irlandais", True),
    "Bourbon Whiskey": ("Bourbon", True),
    "Bourbon or Rye Whiskey": ("Bourbon ou whiskey de seigle", True),
    "Rye Whiskey or Bourbon": ("Bourbon ou whiskey de seigle", True),
    "Rye Whiskey": ("Whiskey de seigle", True),
    "Rye Whisky": ("Whiskey de seigle", True),
    "Drambuie": ("Drambuie", True),
    "Brandy": ("Brandy", True),
    "Cognac": ("Cognac", True),
    "Cognac or Brandy": ("Cognac ou brandy", True),
    "Calvados": ("Calvados", True),
    "Pisco": ("Pisco", True),
    "White Smooth Grappa": ("Grappa blanche", True),
    "Espadin Mezcal": ("Mezcal espadín", True),
    "Mezcal": ("Mezcal", True),
    "Gin": ("Gin", True),
    "Dry Gin": ("Gin", True),
    "London Dry Gin": ("Gin London dry", True),
    "Old Tom Gin": ("Gin Old Tom", True),
    "Vodka": ("Vodka", True),
    "Smirnoff Vodka": ("Vodka", True),
    "Vodka Citron": ("Vodka citron", True),
    "Vodka Vanilla": ("Vodka vanille", True),
    "Champagne": ("Champagne", True),
    "Chilled Champagne": ("Champagne", True),
    "Brut Champagne or Prosecco": ("Champagne brut ou prosecco", True),
    "Prosecco": ("Prosecco", True),
    "Sparkling wine": ("Vin mousseux", True),
    "Dry White Wine": ("Vin blanc sec", True),
    "Red wine": ("Vin rouge", True),
    "Red Tawny Port Wine": ("Porto tawny", True),
    "Dry Vermouth": ("Vermouth sec", True),
    "Sweet Red Vermouth": ("Vermouth rouge", True),
    "Sweet Vermouth": ("Vermouth rouge", True),
    "Lillet Blanc": ("Lillet blanc", True),
    "Cointreau": ("Cointreau", True),
    "Triple Sec": ("Triple sec", True),
    "Curacao": ("Curaçao", True),
    "Orange Curacao": ("Curaçao orange", True),
    "Grand Marnier": ("Grand Marnier", True),
    "Galliano": ("Galliano", True),
    "Cherry liqueur": ("Liqueur de cerise", True),
    "Coffee Liqueur": ("Liqueur de café", True),
    "Kahlúa": ("Kahlúa", True),
    "Maraschino Liqueur": ("Marasquin", True),
    "Maraschino Luxardo": ("Marasquin", True),
    "Peach Schnapps": ("Liqueur de pêche", True),
    "Raspberry Liqueur": ("Liqueur de framboise", True),
    "Crème de Cassis": ("Crème de cassis", True),
    "Crème de Menthe": ("Crème de menthe verte", True),
    "White Crème de Menthe": ("Crème de menthe blanche", True),
    "Crème de Mûre": ("Crème de mûre", True),
    "Crème de Violette": ("Crème de violette", True),
    "Green Chartreuse": ("Chartreuse verte", True),
    "Yellow Chartreuse": ("Chartreuse jaune", True),
    # Falernum as bars buy it (Velvet Falernum) holds about 11 % alcohol.
    "Falernum": ("Falernum", True),
    "Celery Salt": ("Sel de céleri", False),
    "Salt": ("Sel", False),
    "Pepper": ("Poivre", False),
    "Tabasco": ("Tabasco", False),
    "Worcestershire Sauce": ("Sauce Worcestershire", False),
    "Tomato Juice": ("Jus de tomate", False),
    "Chamomile cordial": ("Sirop de camomille", False),
    "Elderflower Cordial": ("Sirop de sureau", False),
    "Coca Cola": ("Cola", False),
    "Cola": ("Cola", False),
    "Coconut Cream": ("Crème de coco", False),
    "Cream": ("Crème liquide", False),
    "Fresh Cream": ("Crème liquide", False),
    "Fresh cream": ("Crème liquide", False),
    "Cranberry Juice": ("Jus de canneberge", False),
    "Grapefruit Juice": ("Jus de pamplemousse", False),
    "Pink Grapefruit Soda": ("Soda au pamplemousse rose", False),
    "Fresh Lemon Juice": ("Jus de citron", False),
    "Fresh lemon Juice": ("Jus de citron", False),
    "Fresh lemon juice": ("Jus de citron", False),
    "Lemon juice": ("Jus de citron", False),
    "Fresh Lime": ("Jus de citron vert", False),
    "Fresh lime": ("Jus de citron vert", False),
    "Fresh Lime Juice": ("Jus de citron vert", False),
    "Fresh lime juice": ("Jus de citron vert", False),
    "Freshly Squeezed Lime Juice": ("Jus de citron vert", False),
    "Lime Juice": ("Jus de citron vert", False),
    "Lime cut into small wedges": ("Citron vert", False),
    "Fresh Orange Juice": ("Jus d'orange", False),
    "Fresh orange juice": ("Jus d'orange", False),
    "Fresh Pineapple Juice": ("Jus d'ananas", False),
    "Sugar Cane Juice": ("Jus de canne à sucre", False),
    "White Peach Puree": ("Purée de pêche blanche", False),
    "Donn's Mix": ("Donn's mix", False),
    "Egg White": ("Blanc d'œuf", False),
    "Egg white": ("Blanc d'œuf", False),
    "Raw Egg White": ("Blanc d'œuf", False),
    "Egg Yolk": ("Jaune d'œuf", False),
    "Ginger Ale": ("Ginger ale", False),
    "Ginger Beer": ("Ginger beer", False),
    "Ginger beer": ("Ginger beer", False),
    "Soda Water": ("Eau gazeuse", False),
    "Soda water": ("Eau gazeuse", False),
    "Water": ("Eau", False),
    "Plain Water": ("Eau", False),
    "Orange Flower Water": ("Eau de fleur d'oranger", False),
    "Grenadine Syrup": ("Sirop de grenadine", False),
    "Grenadine syrup": ("Sirop de grenadine", False),
    "Honey Syrup": ("Sirop de miel", False),
    "Monin Honey Syrup": ("Sirop de miel", False),
    "Honey mix": ("Sirop de miel", False),
    "Raw Honey": ("Miel", False),
    "Orgeat Syrup": ("Sirop d'orgeat", False),
    "Raspberry Syrup": ("Sirop de framboise", False),
    "Simple Syrup": ("Sirop de sucre", False),
    "Simple syrup": ("Sirop de sucre", False),
    "Sugar Syrup": ("Sirop de sucre", False),
    "Sugar syrup": ("Sirop de sucre", False),
    "Sugar": ("Sucre", False),
    "Sugar Cube": ("Sucre", False),
    "Powdered Sugar": ("Sucre glace", False),
    "Superfine Sugar": ("Sucre en poudre", False),
    "White Cane Sugar": ("Sucre de canne blanc", False),
    # Vanilla extract holds alcohol, but two drops of it make nobody's drink alcoholic.
    "Vanilla Extract": ("Extrait de vanille", False),
    "Hot coffee": ("Café chaud", False),
    "strong Espresso": ("Espresso serré", False),
    "Mint Leaves": ("Menthe", False),
    "Mint Sprigs": ("Menthe", False),
    "fresh Mint sprigs": ("Menthe", False),
    "quarter size Sliced Fresh Ginger": ("Gingembre frais", False),
    "thin Slices Red Chili Pepper": ("Piment rouge", False),
}

# The crème de cacao is white in one recipe and brown in the other (the note column says which).
CACAO = {"White": "Crème de cacao blanche", "Brown": "Crème de cacao brune"}

# Quantities given as a number of pieces: the noun goes into the quantity, so that the recipe
# pages read "6 brins de MENTHE".
PIECES = {
    "Mint Sprigs": "brins",
    "fresh Mint sprigs": "brins",
    "Mint Leaves": "feuilles",
    "quarter size Sliced Fresh Ginger": "tranches",
    "thin Slices Red Chili Pepper": "fines tranches",
    "Sugar Cube": "morceau",
}

# Ingredients measured by a pinch rather than by the dash the source gives them.
PINCEE = {"Celery Salt", "Pepper", "Salt"}

# Cocktail -> (family, remarks). The remarks are the method, shortened and put into French, with
# the garnish on a second line when there is one.
RECETTES = {
    "Bellini": (PETILLANTS,
                "Verser la purée de pêche dans le verre à mélange avec de la glace, ajouter le "
                "prosecco, remuer doucement et servir dans une flûte rafraîchie."),
    "Black Russian": (DIGESTIFS,
                      "Verser dans un verre old fashioned rempli de glaçons et remuer doucement.\n"
                      "White Russian : napper de crème fraîche."),
    "Bloody Mary": (LONG_DRINKS,
                    "Remuer doucement au verre à mélange avec de la glace, servir dans un verre "
                    "à whisky (highball si on le veut sur glace). Poivre selon le goût.\n"
                    "Décor : céleri, quartier de citron (facultatif)."),
    "Caipirinha": (SOURS,
                   "Piler doucement le citron vert coupé en petits quartiers avec le sucre dans "
                   "un double old fashioned, remplir de glace pilée, ajouter la cachaça et "
                   "remuer.\nCaipiroska : vodka au lieu de cachaça."),
    "Champagne Cocktail": (PETILLANTS,
                           "Imbiber le sucre de deux traits d'Angostura dans une coupe, ajouter "
                           "le cognac, verser doucement le champagne frais. Grand Marnier "
                           "facultatif.\nDécor : zeste d'orange, cerise au marasquin."),
    "Corpse Reviver #2": (SOURS,
                          "Frapper au shaker avec de la glace et filtrer dans un verre à "
                          "cocktail rafraîchi.\nDécor : zeste d'orange."),
    "Cosmopolitan": (SOURS,
                     "Frapper au shaker avec de la glace et filtrer dans un grand verre à "
                     "cocktail.\nDécor : zeste de citron."),
    "Cuba Libre": (LONG_DRINKS,
                   "Monter directement dans un verre highball rempli de glaçons.\n"
                   "Décor : quartier de citron vert."),
    "French 75": (PETILLANTS,
                  "Frapper au shaker tout sauf le champagne, filtrer dans une flûte, compléter "
                  "au champagne et remuer doucement."),
    "French Connection": (DIGESTIFS,
                          "Verser directement dans un verre old fashioned rempli de glaçons et "
                          "remuer doucement."),
    "Golden Dream": (DIGESTIFS,
                     "Frapper vivement quelques secondes au shaker avec de la glace et filtrer "
                     "dans un verre à cocktail rafraîchi."),
    "Grasshopper": (DIGESTIFS,
                    "Frapper vivement quelques secondes au shaker avec de la glace et filtrer "
                    "dans un verre à cocktail rafraîchi.\nDécor : feuille de menthe "
                    "(facultatif)."),
    "Hemingway Special": (SOURS,
                          "Frapper au shaker avec de la glace et filtrer dans un grand verre à "
                          "cocktail."),
    "Horse's Neck": (LONG_DRINKS,
                     "Verser le cognac et le ginger ale dans un highball avec des glaçons, "
                     "remuer doucement. Angostura selon le goût.\n"
                     "Décor : spirale d'écorce de citron."),
    "Irish Coffee": (DIGESTIFS,
                     "Verser le café chaud dans un verre préchauffé, ajouter le whiskey et le "
                     "sucre, remuer jusqu'à dissolution. Faire flotter la crème froide sur le "
                     "dos d'une cuillère, sans mélanger."),
    "Kir": (APERITIFS,
            "Verser la crème de cassis dans le verre et compléter au vin blanc.\n"
            "Kir royal : champagne au lieu du vin blanc."),
    "Long Island Iced Tea": (LONG_DRINKS,
                             "Verser dans un highball rempli de glaçons, compléter au cola et "
                             "remuer doucement.\nDécor : rondelle de citron (facultatif)."),
    "Mai-Tai": (TIKI,
                "Frapper au shaker avec de la glace et verser dans un double verre à whisky ou "
                "un highball.\nDécor : ananas, menthe et zeste de citron vert."),
    "Margarita": (SOURS,
                  "Frapper au shaker avec de la glace et filtrer dans un verre à cocktail "
                  "rafraîchi.\nDécor : demi-bord de sel (facultatif)."),
    "Mimosa": (PETILLANTS,
               "Verser le jus d'orange dans une flûte, puis doucement le prosecco ; remuer "
               "doucement. Aussi appelé Buck's Fizz.\nDécor : zeste d'orange (facultatif)."),
    "Mint Julep": (SHORT_DRINKS,
                   "Dans une timbale en inox, piler doucement la menthe avec le sucre et l'eau, "
                   "remplir de glace pilée, ajouter le bourbon et remuer jusqu'à ce que la "
                   "timbale givre.\nDécor : brin de menthe."),
    "Mojito": (LONG_DRINKS,
               "Mêler la menthe, le sucre et le jus de citron vert, ajouter un trait d'eau "
               "gazeuse et de la glace, verser le rhum, compléter à l'eau gazeuse et remuer.\n"
               "Décor : menthe, rondelle de citron vert."),
    "Moscow Mule": (LONG_DRINKS,
                    "Dans une timbale ou un verre à whisky, mêler la vodka et le ginger beer, "
                    "ajouter le jus de citron vert et remuer doucement.\n"
                    "Décor : rondelle de citron vert."),
    "Piña Colada": (TIKI,
                    "Mixer avec de la glace au blender, servir dans un grand verre avec des "
                    "pailles.\nDécor : tranche d'ananas et cerise."),
    "Pisco Sour": (SOURS,
                   "Frapper au shaker avec de la glace et filtrer dans un verre à pied "
                   "rafraîchi.\nDécor : quelques traits d'amer sur la mousse."),
    "Sea Breeze": (LONG_DRINKS,
                   "Monter dans un highball rempli de glaçons.\n"
                   "Décor : zeste d'orange et cerise."),
    "Sex on the Beach": (LONG_DRINKS,
                         "Monter dans un highball rempli de glaçons.\n"
                         "Décor : demi-rondelle d'orange."),
    "Singapore Sling": (TIKI,
                        "Frapper vigoureusement au shaker avec des glaçons et filtrer dans un "
                        "verre Hurricane.\nDécor : ananas et cerise au marasquin."),
    "Tequila Sunrise": (LONG_DRINKS,
                        "Verser la tequila et le jus d'orange dans un highball rempli de "
                        "glaçons, puis la grenadine qui fait le lever du soleil ; ne pas "
                        "remuer.\nDécor : demi-rondelle ou zeste d'orange."),
    "Vesper": (MELANGE,
               "Frapper au shaker avec des glaçons et filtrer dans un verre à cocktail "
               "rafraîchi.\nDécor : zeste de citron."),
    "Zombie": (TIKI,
               "Mixer quelques secondes au blender avec 170 g de glace pilée, servir dans un "
               "grand tumbler. Donn's mix : 2 parts de pamplemousse, 1 de sirop de cannelle.\n"
               "Décor : feuilles de menthe."),
    "Barracuda": (TIKI,
                  "Frapper au shaker avec de la glace tout sauf le prosecco, filtrer dans un "
                  "highball rafraîchi rempli de glaçons et compléter au prosecco.\n"
                  "Décor : ananas, cerise, brin de menthe."),
    "Bee's Knees": (SOURS,
                    "Remuer le miel avec les jus de citron et d'orange jusqu'à dissolution, "
                    "ajouter le gin et frapper avec de la glace ; filtrer dans un verre à "
                    "cocktail rafraîchi.\nDécor : zeste de citron ou d'orange."),
    "Bramble": (SOURS,
                "Frapper au shaker tout sauf la crème de mûre, filtrer sur de la glace pilée "
                "dans un old fashioned, puis verser la crème de mûre en cercle par-dessus.\n"
                "Décor : citron et mûres."),
    "Canchanchara": (SOURS,
                     "Mêler le miel, l'eau et le jus de citron vert et en napper le fond et les "
                     "parois du verre. Ajouter la glace, puis le rhum ; remuer énergiquement de "
                     "bas en haut.\nDécor : quartier de citron vert."),
    "Dark 'n' Stormy": (LONG_DRINKS,
                        "Dans un highball rempli de glaçons, verser le ginger beer puis faire "
                        "flotter le rhum dessus.\nDécor : quartier de citron vert."),
    "Espresso Martini": (DIGESTIFS,
                         "Frapper énergiquement au shaker avec de la glace et filtrer dans un "
                         "verre à cocktail rafraîchi."),
    "Fernandito": (LONG_DRINKS,
                   "Verser le Fernet-Branca dans un double old fashioned avec des glaçons, "
                   "compléter au cola et remuer doucement."),
    "French Martini": (SHORT_DRINKS,
                       "Frapper au shaker avec de la glace et filtrer dans un verre à cocktail "
                       "rafraîchi.\nDécor : huile d'un zeste de citron pressé au-dessus."),
    "Illegal": (SOURS,
                "Frapper vigoureusement au shaker avec de la glace, filtrer dans un verre à "
                "cocktail rafraîchi, ou sur glace dans une tasse en terre cuite. Blanc d'œuf "
                "facultatif."),
    "Lemon Drop Martini": (SOURS,
                           "Frapper au shaker avec de la glace et filtrer dans un verre à "
                           "cocktail rafraîchi.\nDécor : bord givré de sucre."),
    "Naked and Famous": (SOURS,
                         "Frapper au shaker avec de la glace et filtrer dans un verre à "
                         "cocktail rafraîchi."),
    "New York Sour": (SOURS,
                      "Frapper vigoureusement au shaker avec de la glace, filtrer sur glaçons "
                      "dans un verre à whisky rafraîchi et faire flotter le vin rouge (shiraz "
                      "ou malbec).\nDécor : zeste de citron ou d'orange, cerise."),
    "Old Cuban": (PETILLANTS,
                  "Frapper au shaker avec de la glace tout sauf le vin, filtrer dans un verre "
                  "à cocktail rafraîchi et compléter au vin pétillant.\n"
                  "Décor : brins de menthe."),
    "Paloma": (LONG_DRINKS,
               "Verser la tequila dans un highball, presser le citron vert, ajouter la glace "
               "et le sel, compléter au soda de pamplemousse rose, remuer doucement.\n"
               "Décor : rondelle de citron vert."),
    "Paper Plane": (SOURS,
                    "Frapper au shaker avec de la glace et filtrer dans un verre à cocktail "
                    "rafraîchi."),
    "Penicillin": (SOURS,
                   "Piler le gingembre au shaker, ajouter le reste sauf le whisky tourbé, "
                   "frapper avec de la glace, double-filtrer sur glace dans un old fashioned ; "
                   "faire flotter le Lagavulin.\nDécor : gingembre confit."),
    "Russian Spring Punch": (PETILLANTS,
                             "Frapper au shaker avec de la glace tout sauf le vin mousseux, "
                             "filtrer dans un grand tumbler rempli de glaçons et compléter au "
                             "vin mousseux.\nDécor : mûres, citron (facultatif)."),
    "Southside": (SOURS,
                  "Frapper au shaker avec de la glace, plus fort avec le blanc d'œuf "
                  "(facultatif), et double-filtrer dans un verre à cocktail rafraîchi.\n"
                  "Décor : brins de menthe."),
    "Spicy Fifty": (SOURS,
                    "Frapper au shaker avec de la glace et double-filtrer dans un verre à "
                    "cocktail rafraîchi.\nDécor : un piment rouge."),
    "Spritz": (APERITIFS,
               "Monter dans un verre à vin rempli de glaçons et remuer doucement. Il existe "
               "des versions au Campari, au Cynar ou au Select.\nDécor : rondelle d'orange."),
    "Suffering Bastard": (LONG_DRINKS,
                          "Frapper au shaker avec de la glace tout sauf le ginger beer, verser "
                          "sans filtrer dans un verre Collins et compléter au ginger beer.\n"
                          "Décor : menthe, rondelle d'orange (facultatif)."),
    "Tipperary": (MELANGE,
                  "Remuer longuement au verre à mélange avec des glaçons et filtrer dans un "
                  "verre à martini rafraîchi.\nDécor : rondelle d'orange."),
    "Tommy's Margarita": (SOURS,
                          "Frapper au shaker avec de la glace et filtrer sur glaçons dans un "
                          "verre à whisky rafraîchi. Sirop d'agave : moitié eau, moitié nectar "
                          "d'agave.\nDécor : rondelle de citron vert."),
    "Trinidad Sour": (SOURS,
                      "Frapper au shaker avec de la glace et filtrer dans un verre à cocktail "
                      "rafraîchi."),
    "VE.N.TO": (SOURS,
                "Frapper vigoureusement au shaker avec de la glace et filtrer sur glaçons dans "
                "un petit tumbler. Le sirop de miel peut se faire à l'infusion de camomille. "
                "Blanc d'œuf facultatif.\nDécor : zeste de citron, raisin blanc."),
    "Yellow Bird": (SOURS,
                    "Frapper au shaker avec de la glace et filtrer dans un verre à cocktail "
                    "rafraîchi."),
    "Alexander": (DIGESTIFS,
                  "Frapper au shaker avec des glaçons et filtrer dans un verre à cocktail "
                  "rafraîchi.\nDécor : noix de muscade râpée."),
    "Americano": (APERITIFS,
                  "Mêler directement dans un old fashioned rempli de glaçons, ajouter un trait "
                  "d'eau gazeuse et remuer doucement.\n"
                  "Décor : demi-rondelle d'orange, zeste de citron."),
    "Angel Face": (SHORT_DRINKS,
                   "Frapper au shaker avec des glaçons et filtrer dans un verre à cocktail "
                   "rafraîchi."),
    "Aviation": (SOURS,
                 "Frapper au shaker avec de la glace concassée et filtrer dans un verre à "
                 "cocktail rafraîchi.\nDécor : cerise au marasquin (facultatif)."),
    "Between the Sheets": (SOURS,
                           "Frapper au shaker avec de la glace et filtrer dans un verre à "
                           "cocktail rafraîchi."),
    "Boulevardier": (MELANGE,
                     "Remuer longuement au verre à mélange avec des glaçons et filtrer dans un "
                     "verre à cocktail rafraîchi.\nDécor : zeste d'orange, ou de citron."),
    "Brandy Crusta": (SOURS,
                      "Frotter le bord d'un verre fin avec de l'orange et le givrer de sucre ; "
                      "y poser l'écorce en spirale. Mêler au verre à mélange avec des glaçons "
                      "et filtrer dans ce verre."),
    "Casino": (SOURS,
               "Frapper au shaker avec de la glace et filtrer sur glaçons dans un verre à "
               "whisky rafraîchi.\nDécor : zeste de citron, cerise au marasquin."),
    "Clover Club": (SOURS,
                    "Frapper au shaker avec de la glace et filtrer dans un verre à cocktail "
                    "rafraîchi.\nDécor : framboises fraîches."),
    "Daiquiri": (SOURS,
                 "Remuer au shaker pour dissoudre le sucre, ajouter la glace et frapper ; "
                 "filtrer dans un verre à cocktail rafraîchi."),
    "Dry Martini": (MELANGE,
                    "Remuer longuement au verre à mélange avec des glaçons et filtrer dans un "
                    "verre à martini rafraîchi.\n"
                    "Décor : huile d'un zeste de citron, ou olives vertes."),
    "Gin Fizz": (LONG_DRINKS,
                 "Frapper au shaker avec de la glace tout sauf l'eau gazeuse, verser dans un "
                 "grand tumbler fin et ajouter un trait d'eau gazeuse. Servir sans glace.\n"
                 "Décor : rondelle de citron."),
    "Hanky Panky": (MELANGE,
                    "Remuer longuement au verre à mélange avec des glaçons et filtrer dans un "
                    "verre à cocktail rafraîchi.\nDécor : zeste d'orange."),
    "John Collins": (LONG_DRINKS,
                     "Verser directement dans un highball rempli de glaçons et remuer "
                     "doucement. Avec du gin Old Tom, c'est le Tom Collins.\n"
                     "Décor : rondelle de citron, cerise au marasquin."),
    "Last Word": (SOURS,
                  "Frapper au shaker avec de la glace et filtrer dans un verre à cocktail "
                  "rafraîchi."),
    "Manhattan": (MELANGE,
                  "Remuer longuement au verre à mélange avec des glaçons et filtrer dans un "
                  "verre à cocktail rafraîchi.\nDécor : cerise à cocktail."),
    "Martinez": (MELANGE,
                 "Remuer longuement au verre à mélange avec des glaçons et filtrer dans un "
                 "verre à cocktail rafraîchi.\nDécor : zeste de citron."),
    "Mary Pickford": (SHORT_DRINKS,
                      "Frapper au shaker avec de la glace et filtrer dans un verre à cocktail "
                      "rafraîchi."),
    "Monkey Gland": (SHORT_DRINKS,
                     "Frapper au shaker avec de la glace et filtrer dans un verre à cocktail "
                     "rafraîchi."),
    "Negroni": (APERITIFS,
                "Verser directement dans un old fashioned rafraîchi rempli de glaçons et "
                "remuer doucement.\nDécor : demi-rondelle d'orange."),
    "Old Fashioned": (MELANGE,
                      "Imbiber le sucre d'amer dans un old fashioned, ajouter quelques traits "
                      "d'eau et piler jusqu'à dissolution ; remplir de glaçons, ajouter le "
                      "whiskey et remuer.\nDécor : orange, cerise à cocktail."),
    "Paradise": (SHORT_DRINKS,
                 "Frapper au shaker avec de la glace et filtrer dans un verre à cocktail "
                 "rafraîchi."),
    "Planter's Punch": (TIKI,
                        "Verser directement dans un petit tumbler ou un verre en terre cuite. "
                        "Allonger selon le goût d'eau, de glace ou de jus de fruits frais.\n"
                        "Décor : zeste d'orange."),
    "Porto Flip": (DIGESTIFS,
                   "Frapper au shaker avec de la glace et filtrer dans un verre à cocktail "
                   "rafraîchi.\nDécor : noix de muscade râpée."),
    "Ramos Fizz": (LONG_DRINKS,
                   "Frapper deux minutes avec de la glace tout sauf l'eau gazeuse, "
                   "double-filtrer, puis frapper encore une minute sans glace. Filtrer dans un "
                   "highball et compléter à l'eau gazeuse. Créé en 1888 à La Nouvelle-Orléans."),
    "Rusty Nail": (DIGESTIFS,
                   "Verser directement dans un old fashioned rempli de glaçons et remuer "
                   "doucement.\nDécor : zeste de citron."),
    "Sazerac": (MELANGE,
                "Rincer à l'absinthe un verre rafraîchi garni de glace pilée. Remuer le reste "
                "au verre à mélange, vider le verre préparé et y filtrer la boisson.\n"
                "Décor : zeste de citron."),
    "Sidecar": (SOURS,
                "Frapper au shaker avec de la glace et filtrer dans un verre à cocktail "
                "rafraîchi."),
    "Stinger": (DIGESTIFS,
                "Remuer longuement au verre à mélange avec des glaçons et filtrer dans un "
                "verre à martini rafraîchi.\nDécor : feuille de menthe (facultatif)."),
    "Tuxedo": (MELANGE,
               "Remuer longuement au verre à mélange avec des glaçons et filtrer dans un "
               "verre à martini rafraîchi.\nDécor : cerise et zeste de citron."),
    "Vieux Carré": (MELANGE,
                    "Remuer longuement au verre à mélange avec des glaçons et filtrer dans un "
                    "verre à cocktail rafraîchi.\nDécor : zeste d'orange, cerise au marasquin."),
    "Whiskey Sour": (SOURS,
                     "Frapper au shaker avec des glaçons, plus fort avec le blanc d'œuf "
                     "(facultatif), et filtrer dans un verre cobbler, ou sur glace dans un old "
                     "fashioned.\nDécor : demi-rondelle d'orange, cerise."),
    "White Lady": (SOURS,
                   "Frapper au shaker avec de la glace et filtrer dans un verre à cocktail "
                   "rafraîchi."),
}


def nfc(texte):
    return unicodedata.normalize("NFC", texte.strip())


def nombre(texte):
    """'22.5' -> '22,5', '6-8' -> '6 à 8'."""
    return texte.replace(".", ",").replace("-", " à ")


def pluriel(n, singulier, forme_plurielle):
    return singulier if n in ("1", "1/2", "1/4") else forme_plurielle


def quantite(rangee):
    q, unite, ingredient = rangee["quantity"], rangee["unit"], nfc(rangee["ingredient"])
    if ingredient in PINCEE:
        return "1 pincée"
    if unite == "ml":
        return f"{nombre(q)} ml"
    if unite in ("top up", "fill up"):
        return "compléter"
    if unite == "splash":
        return "un trait"
    if unite == "pinch":
        return "1 pincée"
    if unite == "shot":
        return "1"
    if q == "few":
        return {"dash": "quelques traits", "drops": "quelques gouttes"}[unite]
    if unite == "dash":
        return f"{q} {pluriel(q, 'trait', 'traits')}"
    if unite == "drops":
        return f"{q} {pluriel(q, 'goutte', 'gouttes')}"
    if unite == "teaspoon":
        return f"{q} {pluriel(q, 'cuillère', 'cuillères')} à café"
    if unite == "tablespoon":
        return f"{q} {pluriel(q, 'cuillère', 'cuillères')} à soupe"
    if unite == "bar spoon":
        return f"{q} {pluriel(q, 'cuillère', 'cuillères')} de bar"
    if unite == "piece":
        nom = PIECES.get(ingredient)
        return f"{nombre(q)} {nom}" if nom else q
    raise ValueError(f"unité inconnue : {unite}")


def ingredient_francais(rangee):
    anglais = nfc(rangee["ingredient"])
    if anglais == "Crème de Cacao":
        return CACAO[rangee["note"]], True
    return INGREDIENTS[anglais]


def longueur_cp1252(texte):
    return len(texte.encode("cp1252"))


def verifier(rangee):
    nom, famille, q, ingredient, _, remarques = rangee
    for champ, maximum in ((nom, MAX_NOM), (famille, MAX_NOM), (ingredient, MAX_NOM),
                           (q, MAX_QUANTITE)):
        assert longueur_cp1252(champ) <= maximum, (champ, longueur_cp1252(champ))
    assert longueur_cp1252(remarques.replace("\n", "\r\n")) <= MAX_REMARQUES, (
        nom, longueur_cp1252(remarques.replace("\n", "\r\n")))


def generer(source):
    with open(source / "iba-cocktails-web.csv", encoding="utf-8", newline="") as f:
        cocktails = [nfc(r["name"]) for r in csv.DictReader(f)]
    with open(source / "iba-cocktails-ingredients-web.csv", encoding="utf-8", newline="") as f:
        lignes = list(csv.DictReader(f))

    rangees = []
    for cocktail in cocktails:
        nom = NOMS.get(cocktail, cocktail)
        famille, remarques = RECETTES[nom]
        composition = [r for r in lignes if nfc(r["name"]) == cocktail]
        assert 0 < len(composition) <= MAX_LIGNES, cocktail
        for k, r in enumerate(composition):
            ingredient, alcool = ingredient_francais(r)
            # The family and the remarks stand on the first row of each cocktail.
            rangee = (nom, famille if k == 0 else "", quantite(r), ingredient,
                      "oui" if alcool else "non", remarques if k == 0 else "")
            verifier(rangee)
            rangees.append(rangee)
    assert set(RECETTES) == {NOMS.get(c, c) for c in cocktails}
    return rangees


def main():
    source = Path(sys.argv[1]) if len(sys.argv) > 1 else SOURCE_PAR_DEFAUT
    sortie = Path(sys.argv[2]) if len(sys.argv) > 2 else SORTIE_PAR_DEFAUT
    tampon = io.StringIO(newline="")
    ecrivain = csv.writer(tampon, lineterminator="\r\n")
    ecrivain.writerow(["cocktail", "famille", "quantite", "ingredient", "alcoolise", "remarques"])
    ecrivain.writerows(generer(source))
    sortie.write_bytes(tampon.getvalue().encode("utf-8"))
    print(f"{sortie} écrit.", file=sys.stderr)


if __name__ == "__main__":
    main()
