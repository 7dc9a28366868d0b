// Command input and view control.
#pragma once

void Selection__MemeTypeVisibles();
