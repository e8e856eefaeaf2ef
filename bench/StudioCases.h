#pragma once

class Bench;

// Fondalis Studio: one chart redrawn in a window of 1920 x 1080, the way
// its widget paints it; and the opening of a survey with its analyses.
void caseStudioRedraw(Bench &b);
void caseStudioOpen(Bench &b);
