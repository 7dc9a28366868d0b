#include "battle/sorts_actions.h"

const std::array<int32_t, 25> CoutActionSort = {1,  2,  20, 15, 30, 60, 20, 40, 70, 30, 100, 10, 30,
                                                80, 100, 75, 15, 20, 20, 90, 80, 80, 5,  5,  20};
int32_t CreaturesInvoqueesJoueur = 0;
