#include "RosterRecords.h"
