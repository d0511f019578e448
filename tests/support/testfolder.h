// A fresh folder for one test, deleted with everything in it afterwards. Its
// name says which test made it.
#pragma once

#include "temporaryfolder.h"

class TestFolder : public TemporaryFolder {
public:
    TestFolder();
};
