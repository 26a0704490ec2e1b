// Appends numbered plan lines to a file, as another copy of the program would:
//   appendlines <file> <writer letter> <count>
// Ends with 0 when every append succeeded.
#include "core/FlightPlanFile.h"
#include "core/testing/TempFiles.h"

#include <iostream>
#include <string>

int main(int argc, char *argv[])
{
    if (argc != 4)
        return 2;
    const int count = std::stoi(argv[3]);
    for (int number = 0; number < count; ++number) {
        const auto result = zephlan::AppendFlightPlanLine(argv[1], zephlan::numberedLine(argv[2][0], number));
        if (!result.ok()) {
            std::cerr << "line " << number << ": " << result.error.message() << '\n';
            return 1;
        }
    }
    return 0;
}
