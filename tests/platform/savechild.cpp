// The child process of the kill test: saves a new pair holding one tile over
// INDEX and IMAGE and ends itself after END_AFTER steps of the save
// (negative: never). With FAIL_IMAGE 1, putting the image in place fails and
// the save is undone. Exit status 0: saved, 1: the save failed.
//   savechild INDEX IMAGE WIDTH HEIGHT TILE END_AFTER FAIL_IMAGE
#include <cstdlib>
#include <string>
#include <vector>

#include "exceptions.h"
#include "filepair.h"
#include "savetestseam.h"

int main(int argc, char** argv) {
    if (argc != 8) {
        return 2;
    }
    try {
        FilePair pair(std::atoi(argv[3]), std::atoi(argv[4]));
        std::vector<std::string> tiles{argv[5]};
        pair.insertFiles(tiles);
        if (std::string(argv[7]) == "1") {
            FailFileStepAfter(FileStep::Replace, 1);
        }
        EndProcessAfterSaveSteps(std::atol(argv[6]));
        pair.savePair(argv[1], argv[2], -1);
    } catch (const Exception&) {
        return 1;
    }
    return 0;
}
