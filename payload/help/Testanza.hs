; Source of Testanza.hlp, compiled by tools/hlpc at build time.
.title Testanza Help
.copyright Copyright (C) 2002 DU Dodoridu

.topic contents Testanza 1.20 Help Contents
Testanza is test management software from DU Dodoridu. It keeps tests: a title, the kind of test, and the questions with their answers, one test to a file. It comes with two sample tests on the capitals of the states of the United States.

.h Using Testanza
- [Opening a test](open_test)
- [The two kinds of test](test_kinds)
- [The sample tests](samples)
- [Test files (.TZ1)](tz1_format)

.h Installing and removing
- [Removing Testanza](uninstall)
- [About Testanza](about)

.topic open_test Opening a test
To open a test, choose Open sample test from the File menu, then pick a test file (.TZ1). The folder where Testanza is installed is shown first; the sample tests are there.

Testanza shows the test in its main window: the title, the kind of test, the number of questions, and each question with its answer or its choices. In a multiple-choice question the correct choice is marked.

You can also open a test by naming it on the command line, for example: Testanza.exe US-Caps_FITB.TZ1

Back to the [contents](contents).

.topic test_kinds The two kinds of test
Testanza knows two kinds of test.

.h Fill in the blank
Each question is a sentence with a blank in it, written as a row of underscores. The test holds every answer that counts as right; the first one is the answer shown.

.h Multiple choice
Each question offers two or more choices, exactly one of which is correct.

See also [The sample tests](samples) and [Test files (.TZ1)](tz1_format). Back to the [contents](contents).

.topic samples The sample tests
Two sample tests come with Testanza. Both ask for the capitals of the fifty states of the United States.

- US-Caps_FITB.TZ1: a fill-in-the-blank test, for example "The capital of Alabama is ____." (Montgomery).
- US-Caps_MULT.TZ1: a multiple-choice test with four choices to each question.

The sample tests stay in the Testanza folder when Testanza is removed, as you may have changed them.

Back to the [contents](contents).

.topic tz1_format Test files (.TZ1)
A test file is plain text, one item to a line. The first line is TZ1. Then come the lines Title: and Kind: (FITB for fill in the blank, MULT for multiple choice), and an optional Author: line.

Each question starts with a line Q: followed by the question. In a fill-in-the-blank test, A: lines give the accepted answers. In a multiple-choice test, C: lines give the choices, and the correct one is written C*: instead.

Blank lines, and lines that begin with a semicolon, are ignored. The file TZ1-FORMAT.txt beside the sources of Testanza describes the format in full.

Back to the [contents](contents).

.topic uninstall Removing Testanza
To remove Testanza, choose Uninstall Testanza in the Testanza group of the Start menu, or remove Testanza with Add/Remove Programs in the Control Panel.

The uninstaller asks you to confirm, closes Testanza if it is running, and removes the program, this help file, the read-me file, the shortcuts and the registry entries of Testanza. Your test files (.TZ1) are kept, and so is the folder that holds them. At the end it tells you whether anything could not be removed.

Back to the [contents](contents).

.topic about About Testanza
Testanza 1.20, test management software.

Copyright (C) 2002 DU Dodoridu.

Back to the [contents](contents).
