// Plumelune: a dictation trainer for primary-school pupils.

#include "ui/Application.h"

int main(int argc, char* argv[]) {
    return LancerPlumelune(argc, argv);
}
