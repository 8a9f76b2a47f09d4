#pragma once

// Whether the service "Tolvi" is installed on this computer, as an
// installed Tolvi has it: then the program changes the network only
// through it.
bool ServiceInstalled();
