// Requesters: the game's modal boxes of text read from files, with a speaker's portrait, pages,
// answers, and the scripted events that the chosen answer runs.
//
// A requester file: its first character is the number of answers d (0..4; 0 a plain message
// with a continue word); after the line break, the message up to "//"; then d answers, each
// ended by "//"; then, anywhere after the texts, optionally "[EVENEMENTS]", the total number of
// events, and the groups of events (group n for answer n), each ended by the word "//".
#pragma once

#include <array>
#include <cstdint>
#include <string>

// Lays text out in the box (gauche, haut)-(droite, bas) in the current font, wrapped on blanks,
// the text ending at "//". With dessin set each line is drawn in black one pixel right and down,
// then in the current colour; with 0 it only measures. Returns -1 when the text fits, else the
// offset in the text where the next page starts.
int Texte__Paragraphe(const char* texte, int gauche, int haut, int droite, int bas, int dessin);

// 1 while a requester box is open.
extern int32_t RequesterOuvert;

// One scripted event: kind -1 empty, file name (REQUESTER, IMAGE), value (the requester's kind,
// the gold, the army), and the GAINS_UNITES numbers (copies, section code, level).
struct Evennement {
    int32_t genre;
    char* fichier;   // heap, null for none
    int32_t valeur;
    int32_t nombres[3];
};
constexpr int GROUPES_EVENNEMENTS = 20;
constexpr int EVENNEMENTS_PAR_GROUPE = 10;
extern std::array<std::array<Evennement, EVENNEMENTS_PAR_GROUPE>, GROUPES_EVENNEMENTS> TableEvennements;

// The kinds of the event keywords.
enum : int32_t {
    EV_REQUESTER = 0, EV_GAINS_OR = 1, EV_ALLIANCE = 2, EV_DEFECTION = 3, EV_PERTES_OR = 4,
    EV_GAIN_DRALMOG = 5, EV_GAIN_EMPEREUR = 12, EV_GAINS_UNITES = 13, EV_IMAGE = 14,
};

// The speaker's master of a requester kind (a portrait), -1 for a kind without a name.
int Requester__MaitreOrateur(int genre);

// The box over the screen as it is / over the battlefield drawn once. Returns the answer chosen
// (0 for a plain message), -1 when the program was told to quit.
int Requester__Affichage(int genre, const char* texte);
int Requester__AffichageBataille(int genre, const char* texte);

// The whole file as the requester reads it; false (with a report) when it does not exist.
bool RequesterFichier__Lecture(const char* fichier, std::string* texte);

// Shows the file with the battle requester, then loads its events and runs the answer's group.
void RequesterFichier(int genre, const char* fichier);
// The same with the plain requester (screens without a battlefield behind).
void RequesterFichierSimple(int genre, const char* fichier);
// The special missions' form: the plain requester and the missions' runner. Returns the answer.
int RequesterFichierMission(int genre, const char* fichier);

// Loads the events part of a file into TableEvennements.
void InitEvennements(const char* fichier);
// Runs one group, then empties the table.
void RequesterFichier__Evenements(int groupe);
void RequesterFichier__EvenementsMission(int groupe);
// Frees the texts of TableEvennements and marks every event empty.
void Evenements__Liberation();
