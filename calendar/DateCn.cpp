#include "calendar/DateCn.h"
