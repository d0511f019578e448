#include "exchangerow.h"

std::string RowPlace(std::size_t row, std::size_t line) {
    std::string place = "row " + std::to_string(row);
    if (line != 0) {
        place += " (line " + std::to_string(line) + ")";
    }
    return place;
}
