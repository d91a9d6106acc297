// A pure rule that reaches up into the play screen: the layering check must refuse it.
#include "core/Board.h"
#include "play/AdviceText.h"
