#pragma once

#include "store/task.h"

// One line of the flattened task tree.
struct TreeTask
{
    Task task;
    int depth = 0;
};
