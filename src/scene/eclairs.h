// Lightning bolts: from a point to a target object, striking it when they end.
#pragma once

// A bolt from (x, y) in map pixels to object `cible`, struck on behalf of object `source`.
void Eclair__Creation(int x, int y, int n, int cible, int source);
