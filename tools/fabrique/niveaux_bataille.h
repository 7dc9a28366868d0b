// The battle levels of the campaign's sample regions (tools/fabrique/niveaux_bataille.cpp).
#pragma once

#include <string>

// The level of a unique site by its name (the sample sites' names choose their layout and their
// defenders), and its conditions.
std::string Niveaux__Lieu(const std::string& nom);
std::string Niveaux__ConditionsLieu(const std::string& nom);
