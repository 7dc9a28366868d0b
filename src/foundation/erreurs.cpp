#include "foundation/erreurs.h"

#include <cstdarg>
#include <cstdio>

#include "foundation/ecran.h"
#include "platform/fichiers.h"

int32_t BoiteMessageFermee = 1;

namespace {

void Formater(char (&tampon)[512], const char* format, va_list args) {
    std::vsnprintf(tampon, sizeof tampon, format ? format : "", args);
}

void EcrireRapport(const char* ou, const char* message) {
    if (FILE* f = Fichier_Ouvrir("..\\Erreur.txt", "wt")) {
        std::fprintf(f, "%s: %s", ou ? ou : "", message);
        std::fclose(f);
    }
}

}  // namespace

// Until the game's own boxes are drawn, a report is shown on standard error and a question
// is answered yes.
void Message_Afficher(const char* ou, const char* texte) {
    Plateforme_BoiteSysteme(ou ? ou : "", texte ? texte : "");
}

int Message_Question(const char* ou, const char* texte) {
    Plateforme_BoiteSysteme(ou ? ou : "", texte ? texte : "");
    return 1;
}

void Erreur_Fatale(const char* ou, const char* format, ...) {
    char message[512];
    va_list args;
    va_start(args, format);
    Formater(message, format, args);
    va_end(args);
    EcrireRapport(ou, message);
    Message_Afficher(ou, message);
    if (FenetrePrincipale) Message_Envoyer(FenetrePrincipale, MSG_DETRUIRE, 0, 0);
    Plateforme_Terminer(1);
}

void Erreur_Question(const char* ou, const char* format, ...) {
    char message[512];
    va_list args;
    va_start(args, format);
    Formater(message, format, args);
    va_end(args);
    EcrireRapport(ou, message);
    if (Message_Question(ou, message) == 0) Plateforme_Terminer(0);
}

void Avertissement(const char* ou, const char* format, ...) {
    char message[512];
    va_list args;
    va_start(args, format);
    Formater(message, format, args);
    va_end(args);
    Message_Afficher(ou, message);
}

int Question_Formatee(const char* ou, const char* format, ...) {
    char message[512];
    va_list args;
    va_start(args, format);
    Formater(message, format, args);
    va_end(args);
    return Message_Question(ou, message);
}
