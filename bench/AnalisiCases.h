#pragma once

class Bench;

// fondalis-analisi's commands, run in-process as the tool runs them: every
// command on a 100-station survey, each reading the area's pictures it needs.
void caseAnalisiCommands(Bench &b);
// The area's true assemblages alone, the area already read.
void caseAssemblaggi(Bench &b);
// The printed report of a 100-station survey, the community pages included.
void caseRapporto(Bench &b);
// The report of a class of 30 surveys.
void caseClasse(Bench &b);
