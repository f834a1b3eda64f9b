# zorbex-sim's answers to bad options and files, a changed replay, and --dump-stage.
# Inputs: SIM, GOLDEN (a replay that verifies), WORK (a scratch folder).
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# expect(<status> <text the output must hold> <args...>)
function(expect status text)
  execute_process(COMMAND ${SIM} ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err
                  WORKING_DIRECTORY ${WORK})
  if(NOT code EQUAL status)
    message(FATAL_ERROR "zorbex-sim ${ARGN}: status ${code}, expected ${status}\n${out}\n${err}")
  endif()
  string(FIND "${out}${err}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "zorbex-sim ${ARGN}: no \"${text}\" in\n${out}\n${err}")
  endif()
endfunction()

expect(2 "stage from 1 to 28" --stage 0)
expect(2 "clear, gameover, ending, ranking or boss" --until never)
expect(2 "unknown option" --fly)
expect(2 "goes with --shots" --every 5)

file(READ ${GOLDEN} golden)
string(REPLACE "zorbex-replay 3" "zorbex-replay 9" newer "${golden}")
file(WRITE ${WORK}/newer.replay "${newer}")
expect(2 "version 9 is not supported" --verify ${WORK}/newer.replay)

# hashes this build cannot make, or that do not cover the run, are refused before it runs
string(REPLACE "zorbex-replay 3\nhash-scheme 2\n" "zorbex-replay 2\n" older "${golden}")
file(WRITE ${WORK}/older.replay "${older}")
expect(2 "older.replay: recorded by an older build of the game: its state hashes cannot be checked"
       --verify ${WORK}/older.replay)
string(REPLACE "hash-scheme 2\n" "hash-scheme 7\n" scheme7 "${golden}")
file(WRITE ${WORK}/scheme7.replay "${scheme7}")
expect(2 "recorded by a newer build of the game (state hash scheme 7" --verify ${WORK}/scheme7.replay)
string(FIND "${golden}" "\nhashes " at)
string(SUBSTRING "${golden}" 0 ${at} head)
file(WRITE ${WORK}/no-hashes.replay "${head}\nhashes 0\nend\n")
expect(2 "no-hashes.replay: its hash lines do not cover the run" --verify ${WORK}/no-hashes.replay)
string(REGEX REPLACE "\nhashes ([0-9]+)\n60 [0-9a-f]+\n" "\nhashes \\1\n" gap "${golden}")
string(REGEX MATCH "\nhashes [0-9]+\n" count "${gap}")
string(REGEX REPLACE "[^0-9]" "" count "${count}")
math(EXPR count "${count} - 1")
string(REGEX REPLACE "\nhashes [0-9]+\n" "\nhashes ${count}\n" gap "${gap}")
file(WRITE ${WORK}/gap.replay "${gap}")
expect(2 "gap.replay: its hash lines do not cover the run" --verify ${WORK}/gap.replay)
# a tiny file claiming ten million frames is refused at once, not played for minutes
file(WRITE ${WORK}/long.replay "zorbex-replay 3\nhash-scheme 2\nseed 1\ndifficulty 2\nstage 0\noptions none\n"
     "held 0\ntruncated 0\nscores 1 1 1 1 1 1 1 1 1 1\nscore-stages 1 1 1 1 1 1 1 1 1 1\n"
     "frames 10000000\nbuttons 1\n10000000 00\nhashes 0\nend\n")
expect(2 "10000000 frames: longer than any run the game records (1350000 at most)" --verify ${WORK}/long.replay)
expect(2 "longer than any run the game records" --video ${WORK}/long.webm --verify ${WORK}/long.replay)
string(SUBSTRING "${golden}" 0 300 cut)
file(WRITE ${WORK}/cut.replay "${cut}")
expect(2 "cut.replay: line" --verify ${WORK}/cut.replay)
file(WRITE ${WORK}/junk.txt "fire+jump\n")
expect(2 "junk.txt:1" --input ${WORK}/junk.txt)
expect(2 "cannot open" --verify ${WORK}/missing.replay)

# one recorded hash changed: the run is stopped at that frame and named
string(REGEX MATCH "\n120 [0-9a-f]+\n" line "${golden}")
if(line STREQUAL "")
  message(FATAL_ERROR "the golden replay has no hash at frame 120")
endif()
string(REPLACE "${line}" "\n120 0123456789abcdef\n" changed "${golden}")
file(WRITE ${WORK}/changed.replay "${changed}")
expect(1 "state differs at frame 120" --verify ${WORK}/changed.replay)

# hand-written buttons: the title's fire, then a right hold; recorded and verified back
file(WRITE ${WORK}/buttons.txt "# start, then fly right\n1 fire\n150 fire+right\n0x10\n")
expect(0 "\"frames\":152," --input ${WORK}/buttons.txt --record ${WORK}/buttons.replay)
expect(0 "hashes match over 152 frames" --verify ${WORK}/buttons.replay)

# buttons through a pipe are read once and none is lost
execute_process(COMMAND ${CMAKE_COMMAND} -E cat ${WORK}/buttons.txt
                COMMAND ${SIM} --input /dev/stdin --no-draw --quiet
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err WORKING_DIRECTORY ${WORK})
if(NOT code EQUAL 0 OR NOT out MATCHES "\"frames\":152,")
  message(FATAL_ERROR "piped --input: status ${code}\n${out}\n${err}")
endif()

# a link planted at the replay's temporary name is never followed
file(WRITE ${WORK}/victim.txt "keep")
file(CREATE_LINK ${WORK}/victim.txt ${WORK}/planted.replay.part SYMBOLIC)
file(CREATE_LINK ${WORK}/victim.txt ${WORK}/planted.replay.tmp SYMBOLIC)
expect(0 "\"frames\":152," --input ${WORK}/buttons.txt --record ${WORK}/planted.replay)
file(READ ${WORK}/victim.txt victim)
if(NOT victim STREQUAL "keep" OR IS_SYMLINK ${WORK}/planted.replay)
  message(FATAL_ERROR "--record followed the link at its temporary name")
endif()
expect(0 "hashes match over 152 frames" --verify ${WORK}/planted.replay)

# every read and write error is an error, with the file named: a folder as input,
# a full disk under the trace and under a shot
file(MAKE_DIRECTORY ${WORK}/a-folder)
expect(2 "cannot read ${WORK}/a-folder: Is a directory" --input ${WORK}/a-folder)
expect(2 "cannot write /dev/full: No space left on device" --stage 1 --frames 30 --no-draw --trace /dev/full)
file(MAKE_DIRECTORY ${WORK}/shots)
file(CREATE_LINK /dev/full ${WORK}/shots/frame000010.png SYMBOLIC)
expect(2 "cannot write ${WORK}/shots/frame000010.png" --stage 1 --frames 20 --shots ${WORK}/shots --every 10)

expect(0 "# script 1\n" --dump-stage 1)
expect(0 "\n# layout 1\n" --dump-stage 1)
expect(0 "\n# view 1 1\n# music data/Sound03.mp3\n" --dump-stage 1)
expect(0 "\n# view 370 1\n" --dump-stage 18)

# --trace-actors: one line per frame, numbered as the summary counts frames
expect(2 "group numbers from 0 to 7" --stage 1 --frames 2 --trace-actors ${WORK}/a.jsonl --trace-groups 3,8)
expect(2 "group numbers from 0 to 7" --stage 1 --frames 2 --trace-actors ${WORK}/a.jsonl --trace-groups 3,)
expect(2 "goes with --trace-actors" --stage 1 --frames 2 --trace-groups 0)
expect(0 "\"stagesPlayed\":[4],\"ending\":0," --stage 4 --frames 3 --trace-actors ${WORK}/a.jsonl --trace-groups 0)
file(STRINGS ${WORK}/a.jsonl lines)
list(LENGTH lines count)
list(GET lines 2 last)
if(NOT count EQUAL 3 OR NOT last MATCHES "^{\"frame\":3,\"stageNumber\":4,\"rank\":[0-9]+,\"score\":0,\"bossState\":0,\"actors\":\\[{\"slot\":[0-9]+,\"group\":0,\"x\":[0-9.-]+,\"y\":[0-9.-]+,\"w\":[0-9]+,\"h\":[0-9]+,.*\"update\":\"[^\"]+\",\"draw\":\"[^\"]+\"}\\]}$")
  message(FATAL_ERROR "--trace-actors wrote ${count} lines, the last:\n${last}")
endif()
# a route is six letters U or D
expect(2 "six letters U or D" --route UUDDU)
expect(2 "six letters U or D" --route UUDDUX)

# --until clear: a game lost and given up stops the run unreached, rather than counting
# the next game's stage-1 clear; the summary lists every stage started
expect(1 "\"scene\":4,\"stage\":2," --stage 2 --until clear --no-draw)
expect(1 "\"reached\":false,\"stagesPlayed\":[2],\"ending\":0," --stage 2 --until clear --no-draw)
expect(0 "\"stagesPlayed\":[2,1" --stage 2 --frames 2000 --no-draw)

# --video: bad names and scales are refused before anything runs; an unwritable place is
# named; a failed run leaves no video, not even its temporary file
expect(2 "must end in .webm or .mp4" --stage 1 --frames 2 --video ${WORK}/clip.avi)
expect(2 "--scale: is 1 or 2" --stage 1 --frames 2 --video ${WORK}/clip.webm --scale 3)
expect(2 "--scale: goes with --video" --stage 1 --frames 2 --scale 2)
expect(2 "--video: needs drawing" --stage 1 --frames 2 --video ${WORK}/clip.mp4 --no-draw)
expect(2 "cannot write ${WORK}/no-folder/clip.webm: No such file or directory" --stage 1 --frames 2
       --video ${WORK}/no-folder/clip.webm)
file(MAKE_DIRECTORY ${WORK}/folder.webm)
expect(2 "cannot write ${WORK}/folder.webm: Is a directory" --stage 1 --frames 2 --video ${WORK}/folder.webm)
expect(2 "cut.replay: line" --verify ${WORK}/cut.replay --video ${WORK}/cut.webm)
expect(1 "changed.webm not written: the run failed" --verify ${WORK}/changed.replay --video ${WORK}/changed.webm)
# a cut: its frames are checked before anything runs, and one past the run's end writes nothing
expect(2 "--video-from: goes with --video" --stage 1 --frames 2 --video-from 1)
expect(2 "--video-to: comes before --video-from" --stage 1 --frames 9 --video ${WORK}/clip.webm
       --video-from 5 --video-to 4)
expect(2 "--video-to: needs a frame number from 1" --stage 1 --frames 9 --video ${WORK}/clip.webm --video-to 0)
expect(2 "late.webm not written: the run ended at frame 3, before --video-from 4" --stage 1 --frames 3
       --video ${WORK}/late.webm --video-from 4)
file(GLOB left ${WORK}/*.webm ${WORK}/*.mp4 ${WORK}/*.part-*)
if(NOT left STREQUAL "${WORK}/folder.webm")
  message(FATAL_ERROR "failed video exports left files behind: ${left}")
endif()
expect(0 "wrote ${WORK}/buttons.mp4: " --verify ${WORK}/buttons.replay --video ${WORK}/buttons.mp4)
