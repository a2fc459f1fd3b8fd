/* greet.rexx: an external routine; demo.rexx loads it with "call greet". */
parse arg who, score
message = 'Nice to meet you,' who || '!'
say message
if score > 10 then say 'Your score of' score 'is a fine one.'
else say 'Your score is' score
return length(who)
