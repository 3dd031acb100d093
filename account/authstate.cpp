#include "account/authstate.h"
